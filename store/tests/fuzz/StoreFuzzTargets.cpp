// What the clock and the settings program read from the registry as text: the "FontStyles"
// value and the date and time patterns built from the options.
#include <string>

#include "framework/fuzz/FuzzTarget.h"
#include "store/FontStyles.h"
#include "store/TimeFormat.h"

namespace tembra::fuzz {

// Whatever the stored text, what is read back is written again and reads back the same.
void FontStylesText(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const FontStyles styles = ParseFontStyles(text);
    const FontStyles again = ParseFontStyles(FormatFontStyles(styles));
    if (again.bold != styles.bold || again.italic != styles.italic ||
        again.underline != styles.underline || again.strikeout != styles.strikeout)
        __builtin_trap();
}

// A pattern with any conversions, formatted at any moment the clock can show (years 1899
// to 9999).
void TimePattern(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const double day = input.Take<uint32_t>() % 2958466u;
    const double second = input.Take<uint32_t>() % 86400u;
    FormatTime(input.Rest(), CivilTimeOf(day + second / 86400.0));
}

}  // namespace tembra::fuzz
