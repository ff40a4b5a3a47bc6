// The Date and time page ("日期 && 时间"): day or month first, the separator, 24 or 12 hours,
// or the user's regional formats, with a preview of a fixed moment.
#pragma once
#include "settings/SettingsPage.h"
#include "store/ClockOptions.h"

namespace tembra {

class CTCDateTimeDlg : public CTCPage {
public:
    CTCDateTimeDlg();

    // Only the date and time fields of the record are the page's.
    const ClockOptions& Options() const { return options_; }

protected:
    BOOL OnInitDialog() override;
    bool OnApply(bool ok) override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void ShowFields();
    void TakeFields();
    void ApplyDateRule();
    void ApplyTimeRule();
    void ShowPreview();

    ClockOptions options_;
    ClockOptions shown_;  // as shown at the first showing, or as last saved
};

}  // namespace tembra
