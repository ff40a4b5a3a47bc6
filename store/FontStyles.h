// The "FontStyles" text: any of the words BOLD, ITALIC, UNDERLINE and STRIKE.
#pragma once
#include <string>

namespace tembra {

struct FontStyles {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
};

// The set words in the order BOLD, ITALIC, UNDERLINE, STRIKE with no separator.
std::string FormatFontStyles(const FontStyles& styles);
// Upper-cases the text (leaving double-byte characters alone) and looks for each word
// anywhere in it, so case and separators do not matter.
FontStyles ParseFontStyles(const std::string& text);

// Upper-cases the ASCII letters of a code page 936 text; double-byte characters are kept
// whole, so a trail byte is never taken for a letter.
std::string UpperCaseMultibyte(const std::string& text);

}  // namespace tembra
