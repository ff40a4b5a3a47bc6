#include "settings/TCSetsSheet.h"

#include "settings/ChronetPage.h"
#include "settings/DateTimePage.h"
#include "settings/DialogButtons.h"
#include "settings/EventsPage.h"
#include "settings/GeneralPage.h"
#include "settings/SettingsPage.h"
#include "settings/SettingsResources.h"
#include "store/SuiteContract.h"

namespace tembra {
namespace {
// Posted by the sheet to itself once it has started: the system disables Apply at the end of
// its own start-up, after OnInitialized.
constexpr UINT WM_SHEET_STARTED = WM_USER + 2008;
}  // namespace

CTCSetsSheet::CTCSetsSheet(int startPage) : CPropertySheet(kSettingsSheetTitle, startPage) {
    pages_.push_back(std::make_unique<CTCGeneralDlg>());
    pages_.push_back(std::make_unique<CTCEventsDlg>());
    pages_.push_back(std::make_unique<CTCDateTimeDlg>());
    pages_.push_back(std::make_unique<CTCChronetDlg>());
    for (auto& page : pages_) AddPage(page.get());
}

CTCSetsSheet::~CTCSetsSheet() = default;

void CTCSetsSheet::OnInitialized() {
    for (CFlatButton* button : {&ok_, &cancel_, &apply_}) {
        button->SetLook(LookSemiFlat);
        button->UseHandCursor();
    }
    smallIcon_.reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                                   MAKEINTRESOURCEA(IDI_SHEET), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    ok_.AttachTo(hwnd(), IDOK);
    cancel_.AttachTo(hwnd(), IDCANCEL);
    apply_.AttachTo(hwnd(), kApplyButtonId);
    GiveButtonImages();
    PostMessageA(hwnd(), WM_SHEET_STARTED, 0, 0);
    SetForegroundWindow(hwnd());
}

void CTCSetsSheet::GiveButtonImages() {
    ok_.SetBitmapImage(LoadButtonBitmap(hwnd(), IDB_OK, 16, 15), true);
    cancel_.SetBitmapImage(LoadButtonBitmap(hwnd(), IDB_CANCEL, 13, 15), true);
    apply_.SetBitmapImage(LoadButtonBitmap(hwnd(), IDB_APPLY, 11, 14), true);
}

LRESULT CTCSetsSheet::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SHEET_STARTED:
        // Apply starts enabled although no page has changed anything.
        EnableWindow(apply_.hwnd(), TRUE);
        return 0;
    case WM_PAGE_APPLIED:
        // The system disabled Apply and drew it as a plain button; the page has enabled it
        // again: give it back its flat look.
        apply_.SetLook(LookSemiFlat);
        return 0;
    default:
        return CPropertySheet::HandleMessage(msg, wParam, lParam);
    }
}

}  // namespace tembra
