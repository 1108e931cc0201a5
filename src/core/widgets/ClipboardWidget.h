#pragma once

#include <string>
#include <vector>

#include "core/widgets/framework/IWidget.h"

namespace tarvik {

class ClipboardHistory;
class Theme;
class Trace;

// The clipboard button: its menu lists the remembered texts, newest first, and picking one puts
// it back on the clipboard.
class ClipboardWidget final : public IWidget {
  public:
    static constexpr int32_t kClearHistory = 10000;
    static constexpr int32_t kLabelMax = 48;  // UTF-16 units of a menu row

    // The theme, the history and the trace must outlive the widget.
    ClipboardWidget(const Theme& theme, ClipboardHistory& history, Trace& trace);

    std::string Name() const override { return "Clipboard"; }
    WidgetAlignment Alignment() const override { return AlignRight; }
    WidgetActivation Activation() const override { return ActivateMenu; }
    const SkinButton* ButtonIcon() const override;
    std::string ButtonText() const override { return {}; }

    MenuItemList BuildMenu() override;
    void OnMenuCommand(const MenuItem& item) override;

  private:
    const Theme& m_theme;
    ClipboardHistory& m_history;
    Trace& m_trace;
    // The entries as the menu showed them: a pick restores what the user saw, even if the
    // history changed since.
    std::vector<std::string> m_snapshot;
};

}  // namespace tarvik
