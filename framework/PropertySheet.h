// Property sheet and pages over comctl32's PropertySheetA. Without a manifest Windows loads
// common controls 5, which rejects the newer structure sizes: the version-1 sizes are used.
//
// A page names its dialog template and tab title and overrides the handlers it needs; the
// sheet runs modally over the pages added to it (it does not own them). Pages exist as
// windows only once shown; the system sends Apply/OK (PSN_APPLY) and Cancel (PSN_RESET)
// only to pages that exist.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/SubclassedWindow.h"

namespace tembra {

class CPropertyPage {
public:
    CPropertyPage(int templateId, std::string title);
    virtual ~CPropertyPage() = default;
    CPropertyPage(const CPropertyPage&) = delete;
    CPropertyPage& operator=(const CPropertyPage&) = delete;

    HWND hwnd() const { return hwnd_; }
    HWND Sheet() const { return hwnd_ ? GetParent(hwnd_) : nullptr; }
    int TemplateId() const { return templateId_; }
    const std::string& Title() const { return title_; }

    // Tells the sheet that this page has changes (PSM_CHANGED, which enables Apply) or has
    // none left (PSM_UNCHANGED).
    void SetModified(bool modified = true);

protected:
    // WM_INITDIALOG. TRUE lets the dialog manager set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // PSN_APPLY: `ok` is true when the sheet closes with OK, false for Apply. Returning false
    // keeps the sheet open on this page.
    virtual bool OnApply(bool ok);
    // PSN_RESET: the sheet closes with Cancel or its close box.
    virtual void OnReset() {}
    // PSN_SETACTIVE: the page is about to be shown.
    virtual void OnSetActive() {}
    // WM_COMMAND from a control or menu; true when handled.
    virtual bool OnCommand(int id, int code, HWND control);
    // WM_NOTIFY other than the sheet's; true when handled, with the result in *result.
    virtual bool OnNotify(const NMHDR& header, LRESULT* result);
    // Every message of the page. The default dispatches to the handlers above and hands
    // WM_DRAWITEM to the control object that draws itself. Override to add messages and
    // call this for the rest. Returns TRUE when handled, as a dialog procedure does.
    virtual INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The result of the message being handled, for the dialog manager (DWLP_MSGRESULT).
    void SetMessageResult(LRESULT result);

private:
    friend class CPropertySheet;
    PROPSHEETPAGEA Describe(HINSTANCE instance);
    INT_PTR OnSheetNotify(const NMHDR& header);
    static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    int templateId_;
    std::string title_;
};

class CPropertySheet : public CSubclassedWindow {
public:
    // Control id of the sheet's Apply button.
    static constexpr int kApplyButtonId = 0x3021;

    CPropertySheet(std::string caption, int startPage);

    // Appends a page; the caller keeps it alive while the sheet runs.
    void AddPage(CPropertyPage* page);
    const std::vector<CPropertyPage*>& Pages() const { return pages_; }
    const std::string& Caption() const { return caption_; }

    // Runs the sheet (PropertySheetA) and returns when it closes: a positive value after OK,
    // 0 after Cancel, -1 when it could not be shown.
    INT_PTR DoModal(HINSTANCE instance, HWND parent);

protected:
    // The sheet window exists and this object has taken it over (PSCB_INITIALIZED); only
    // the start page exists yet. The sheet disables Apply after this returns.
    virtual void OnInitialized() {}
    // The sheet's messages; the default hands WM_DRAWITEM to the control object that draws
    // itself and passes everything to the system's sheet.
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // PSH_* flags added to the header (PSH_PROPSHEETPAGE and PSH_USECALLBACK are always set;
    // PSH_HASHELP is never).
    DWORD extraFlags_ = 0;

private:
    static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lParam);

    std::string caption_;
    int startPage_;
    std::vector<CPropertyPage*> pages_;
};

}  // namespace tembra
