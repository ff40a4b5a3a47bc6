// The base of the settings sheet's pages: the page side of the protocol that keeps the
// sheet's Apply button enabled (and drawn flat) after Apply.
#pragma once
#include "framework/PropertySheet.h"

namespace tembra {

// Posted by a page to itself after it saved on Apply, then by the page on to the sheet.
constexpr UINT WM_PAGE_APPLIED = WM_USER + 2007;  // 3031

class CTCPage : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;

protected:
    // Call at the end of OnApply(false) (Apply, not OK) after saving.
    void PostPageApplied() { PostMessageA(hwnd(), WM_PAGE_APPLIED, 0, 0); }
    // Handles WM_PAGE_APPLIED (marks the page modified, which enables Apply, and posts the
    // message on to the sheet); everything else goes to CPropertyPage.
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_PAGE_APPLIED) return CPropertyPage::HandleMessage(msg, wParam, lParam);
        SetModified();
        PostMessageA(Sheet(), WM_PAGE_APPLIED, 0, 0);
        return TRUE;
    }
};

}  // namespace tembra
