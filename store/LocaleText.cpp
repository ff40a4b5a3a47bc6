#include "store/LocaleText.h"

#include <windows.h>
#include <oleauto.h>

#include <vector>

namespace tembra {
namespace {

std::string Format(const CivilTime& t, ULONG flags) {
    BSTR text = nullptr;
    if (FAILED(VarBstrFromDate(DateValueOf(t), LOCALE_USER_DEFAULT, flags, &text)) || !text)
        return std::string();
    std::string result;
    int wide = static_cast<int>(SysStringLen(text));
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, wide, nullptr, 0, nullptr, nullptr);
    if (bytes > 0) {
        std::vector<char> buffer(static_cast<size_t>(bytes));
        WideCharToMultiByte(CP_ACP, 0, text, wide, buffer.data(), bytes, nullptr, nullptr);
        result.assign(buffer.data(), buffer.size());
    }
    SysFreeString(text);
    return result;
}

}  // namespace

std::string SystemLocaleTexts::DateAndTime(const CivilTime& t) const { return Format(t, 0); }
std::string SystemLocaleTexts::DateOnly(const CivilTime& t) const {
    return Format(t, VAR_DATEVALUEONLY);
}
std::string SystemLocaleTexts::TimeOnly(const CivilTime& t) const {
    return Format(t, VAR_TIMEVALUEONLY);
}

}  // namespace tembra
