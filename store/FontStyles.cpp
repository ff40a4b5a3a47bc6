#include "store/FontStyles.h"

namespace tembra {

std::string FormatFontStyles(const FontStyles& styles) {
    std::string text;
    if (styles.bold) text += "BOLD";
    if (styles.italic) text += "ITALIC";
    if (styles.underline) text += "UNDERLINE";
    if (styles.strikeout) text += "STRIKE";
    return text;
}

std::string UpperCaseMultibyte(const std::string& text) {
    std::string upper = text;
    for (size_t i = 0; i < upper.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(upper[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < upper.size()) {
            ++i;  // lead byte: skip its trail byte
        } else if (c >= 'a' && c <= 'z') {
            upper[i] = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

FontStyles ParseFontStyles(const std::string& text) {
    const std::string upper = UpperCaseMultibyte(text);
    FontStyles styles;
    styles.bold = upper.find("BOLD") != std::string::npos;
    styles.italic = upper.find("ITALIC") != std::string::npos;
    styles.underline = upper.find("UNDERLINE") != std::string::npos;
    styles.strikeout = upper.find("STRIKE") != std::string::npos;
    return styles;
}

}  // namespace tembra
