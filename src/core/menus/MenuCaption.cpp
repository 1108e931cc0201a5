#include "core/menus/MenuCaption.h"

namespace tarvik {

std::string MenuCaption(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            out += '&';
            ++i;
        }
    }
    const size_t tab = out.rfind('\t');
    if (tab != std::string::npos) out.erase(tab);
    return out;
}

}  // namespace tarvik
