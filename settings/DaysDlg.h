// The days dialog ("天数"): seven boxes, Sunday to Saturday, for the days of a daily event.
#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/Dialog.h"
#include "settings/FlatButton.h"

namespace tembra {

class CTCDaysDlg : public CDialog {
public:
    // `days`: bit n for weekday n, 0 Sunday to 6 Saturday.
    explicit CTCDaysDlg(std::uint8_t days) : days_(days) {}

    // Runs the dialog modally; IDOK or IDCANCEL. Only OK changes Days().
    INT_PTR Run(HINSTANCE instance, HWND parent);
    std::uint8_t Days() const { return days_; }

protected:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    BOOL OnInitDialog();
    void OnOK();

    std::uint8_t days_;
    CFlatButton ok_, cancel_;
};

}  // namespace tembra
