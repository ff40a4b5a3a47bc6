#include "framework/PropertySheet.h"

#include <prsht.h>

#include <cstring>

namespace tembra {
namespace {
// The sheet being created on this thread: the sheet callback has no parameter of its own.
thread_local CPropertySheet* g_creatingSheet = nullptr;
}  // namespace

// --- Page ---------------------------------------------------------------------------------

CPropertyPage::CPropertyPage(int templateId, std::string title)
    : templateId_(templateId), title_(std::move(title)) {}

void CPropertyPage::SetModified(bool modified) {
    HWND sheet = Sheet();
    if (!sheet) return;
    SendMessageA(sheet, modified ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(hwnd_), 0);
}

bool CPropertyPage::OnApply(bool) { return true; }
bool CPropertyPage::OnCommand(int, int, HWND) { return false; }
bool CPropertyPage::OnNotify(const NMHDR&, LRESULT*) { return false; }

void CPropertyPage::SetMessageResult(LRESULT result) {
    SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
}

PROPSHEETPAGEA CPropertyPage::Describe(HINSTANCE instance) {
    PROPSHEETPAGEA page{};
    page.dwSize = PROPSHEETPAGEA_V1_SIZE;
    page.dwFlags = PSP_USETITLE;  // no PSP_HASHELP: the sheet shows no Help button
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEA(templateId_);
    page.pszTitle = title_.c_str();
    page.pfnDlgProc = StaticProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CPropertyPage::OnSheetNotify(const NMHDR& header) {
    switch (header.code) {
    case PSN_APPLY: {
        const auto& notify = reinterpret_cast<const PSHNOTIFY&>(header);
        SetMessageResult(OnApply(notify.lParam != 0) ? PSNRET_NOERROR
                                                     : PSNRET_INVALID_NOCHANGEPAGE);
        return TRUE;
    }
    case PSN_RESET:
        OnReset();
        return TRUE;
    case PSN_SETACTIVE:
        OnSetActive();
        SetMessageResult(0);
        return TRUE;
    case PSN_KILLACTIVE:
        SetMessageResult(FALSE);  // leaving the page is always allowed
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CPropertyPage::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        return CSubclassedWindow::ReflectDrawItem(lParam);
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.hwndFrom == Sheet()) return OnSheetNotify(header);
        LRESULT result = 0;
        if (!OnNotify(header, &result)) return FALSE;
        SetMessageResult(result);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK CPropertyPage::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CPropertyPage* self;
    if (msg == WM_INITDIALOG) {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        self = reinterpret_cast<CPropertyPage*>(page->lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, page->lParam);
    } else {
        self = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    INT_PTR result = self->HandleMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

// --- Sheet --------------------------------------------------------------------------------

CPropertySheet::CPropertySheet(std::string caption, int startPage)
    : caption_(std::move(caption)), startPage_(startPage) {}

void CPropertySheet::AddPage(CPropertyPage* page) { pages_.push_back(page); }

INT_PTR CPropertySheet::DoModal(HINSTANCE instance, HWND parent) {
    if (pages_.empty()) return -1;
    // The system steps through the page array by each entry's dwSize, so the version-1
    // entries lie packed one after another.
    std::vector<BYTE> pages(pages_.size() * PROPSHEETPAGEA_V1_SIZE);
    for (size_t i = 0; i < pages_.size(); ++i) {
        const PROPSHEETPAGEA page = pages_[i]->Describe(instance);
        memcpy(&pages[i * PROPSHEETPAGEA_V1_SIZE], &page, PROPSHEETPAGEA_V1_SIZE);
    }
    const int count = static_cast<int>(pages_.size());

    PROPSHEETHEADERA header{};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = (PSH_PROPSHEETPAGE | PSH_USECALLBACK | extraFlags_) & ~PSH_HASHELP;
    header.hwndParent = parent;
    header.hInstance = instance;
    header.pszCaption = caption_.c_str();
    header.nPages = static_cast<UINT>(count);
    header.nStartPage = startPage_ >= 0 && startPage_ < count ? startPage_ : 0;
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(pages.data());
    header.pfnCallback = SheetCallback;

    CPropertySheet* outer = g_creatingSheet;
    g_creatingSheet = this;
    INT_PTR result = PropertySheetA(&header);
    g_creatingSheet = outer;
    Detach();
    return result;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT msg, LPARAM) {
    if (msg == PSCB_INITIALIZED && g_creatingSheet) {
        CPropertySheet* sheet = g_creatingSheet;
        g_creatingSheet = nullptr;  // a sheet opened from this one is another sheet
        if (sheet->Attach(hwnd)) sheet->OnInitialized();
    }
    return 0;
}

LRESULT CPropertySheet::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DRAWITEM && CSubclassedWindow::ReflectDrawItem(lParam)) return TRUE;
    return CallOriginal(msg, wParam, lParam);
}

}  // namespace tembra
