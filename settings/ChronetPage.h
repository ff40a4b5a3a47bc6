// The Internet time page ("Internet 时间"): the internet time program's three options. Read
// at the page's first showing, written on Apply and OK; that program reads them at its next
// start, so nothing is sent to it.
#pragma once
#include "settings/SettingsPage.h"

namespace tembra {

class CTCChronetDlg : public CTCPage {
public:
    CTCChronetDlg();

protected:
    BOOL OnInitDialog() override;
    bool OnApply(bool ok) override;

private:
    void SaveInetOptions();
};

}  // namespace tembra
