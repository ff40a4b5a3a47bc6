// The settings property sheet: its pages in order, the flat OK, Cancel and Apply buttons
// with their images, the small icon, and the sheet's side of the protocol that keeps Apply
// usable after Apply.
#pragma once
#include <memory>
#include <vector>

#include "framework/Handles.h"
#include "framework/PropertySheet.h"
#include "settings/FlatButton.h"

namespace tembra {

// Page indexes of the sheet.
constexpr int kGeneralPageIndex = 0;
constexpr int kEventsPageIndex = 1;

class CTCSetsSheet : public CPropertySheet {
public:
    // The sheet opened on page `startPage` (0 or 1).
    explicit CTCSetsSheet(int startPage);
    ~CTCSetsSheet() override;

    INT_PTR Run(HINSTANCE instance) { return DoModal(instance, nullptr); }

    CFlatButton& OkButton() { return ok_; }
    CFlatButton& CancelButton() { return cancel_; }
    CFlatButton& ApplyButton() { return apply_; }

protected:
    void OnInitialized() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void GiveButtonImages();

    CFlatButton ok_, cancel_, apply_;
    std::vector<std::unique_ptr<CPropertyPage>> pages_;
    UniqueIcon smallIcon_;
};

}  // namespace tembra
