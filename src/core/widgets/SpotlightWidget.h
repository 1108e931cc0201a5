#pragma once

#include <string>

#include "core/widgets/framework/IWidget.h"

namespace tarvik {

class IKeySender;
class Theme;

// The search button: a click presses the Windows-logo key with S, which opens the shell's search.
// No canvas, no menu, no state.
class SpotlightWidget final : public IWidget {
  public:
    static constexpr const char* kName = "Spotlight";

    // Both must outlive the widget.
    SpotlightWidget(const Theme& theme, IKeySender& keys) : m_theme(theme), m_keys(keys) {}

    std::string Name() const override { return kName; }
    WidgetAlignment Alignment() const override { return AlignRight; }
    WidgetActivation Activation() const override { return ActivateAction; }
    const SkinButton* ButtonIcon() const override;
    std::string ButtonText() const override { return {}; }
    // A failure to send the keys ends the action quietly.
    void OnAction() override;

  private:
    const Theme& m_theme;
    IKeySender& m_keys;
};

}  // namespace tarvik
