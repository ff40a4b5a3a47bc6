// The user's regional date and time texts, through OLE Automation's VarBstrFromDate.
#pragma once
#include "store/ClockText.h"

namespace tembra {

class SystemLocaleTexts : public LocaleTexts {
public:
    std::string DateAndTime(const CivilTime& t) const override;
    std::string DateOnly(const CivilTime& t) const override;
    std::string TimeOnly(const CivilTime& t) const override;
};

}  // namespace tembra
