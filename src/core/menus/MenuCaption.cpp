#include "core/menus/MenuCaption.h"

namespace tarvik {

namespace {

// The number of bytes of the UTF-8 character that starts with this byte (1 for a stray one).
size_t CharacterBytes(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2) return 2;
    return 1;
}

}  // namespace

CaptionParts SplitMenuCaption(std::string_view text) {
    CaptionParts out;
    out.text.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out.text += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            out.text += '&';
            ++i;
        } else if (i + 1 < text.size() && out.accessKey.empty() && text[i + 1] != '\t') {
            const size_t bytes = CharacterBytes(static_cast<unsigned char>(text[i + 1]));
            if (i + 1 + bytes <= text.size())
                out.accessKey = std::string(text.substr(i + 1, bytes));
        }
    }
    const size_t tab = out.text.rfind('\t');
    if (tab != std::string::npos) {
        out.accelerator = out.text.substr(tab + 1);
        out.text.erase(tab);
    }
    return out;
}

std::string MenuCaption(std::string_view text) {
    return SplitMenuCaption(text).text;
}

}  // namespace tarvik
