#include "core/widgets/SpotlightWidget.h"

#include "core/shortcuts/ShortcutPorts.h"
#include "core/theme/Theme.h"

namespace tarvik {

namespace {

constexpr uint8_t kLeftWindowsKey = 91;
constexpr uint8_t kSKey = 83;

}  // namespace

const SkinButton* SpotlightWidget::ButtonIcon() const {
    return &m_theme.Skin("spotlight");
}

void SpotlightWidget::OnAction() {
    try {
        m_keys.SendKey(kLeftWindowsKey, 0);
        m_keys.SendKey(kSKey, 0);
        m_keys.SendKey(kSKey, IKeySender::kKeyUp);
        m_keys.SendKey(kLeftWindowsKey, IKeySender::kKeyUp);
    } catch (...) {
        // Nothing to tell: the search simply does not open.
    }
}

}  // namespace tarvik
