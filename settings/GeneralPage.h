// The General page ("常规"): the clock's look and behaviour, its font and colours with a live
// preview, and the auto-start entry. Reads the options at its first showing, writes what the
// user changed on Apply or OK and tells the clock to reload.
#pragma once
#include <windows.h>

#include <initializer_list>

#include "framework/Handles.h"
#include "settings/FlatButton.h"
#include "settings/PreviewBrushes.h"
#include "settings/SettingsPage.h"
#include "store/ClockOptions.h"

namespace tembra {

class CTCGeneralDlg : public CTCPage {
public:
    CTCGeneralDlg();

    const ClockOptions& Options() const { return options_; }
    const PreviewBrushes& Brushes() const { return brushes_; }

protected:
    BOOL OnInitDialog() override;
    bool OnApply(bool ok) override;
    bool OnCommand(int id, int code, HWND control) override;
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ReadOptions();
    void ShowCheckBoxes();
    void TakeCheckBoxes();
    void ApplyEnablingRules();
    void PlaceTextSamples();
    void SetPreviewFont(const LOGFONTA& font);
    void Repaint(std::initializer_list<int> ids);
    void DropUnusedBrushes();
    void OnBorderClicked();
    void OnUseFontColorClicked();
    void OnFontClicked();
    void OnColourClicked(int id);
    void Save();
    INT_PTR OnCtlColorStatic(HDC dc, HWND control);

    ClockOptions options_;
    ClockOptions shown_;  // as read, or as last saved: what the user has not changed since
    UniqueFont previewFont_;
    PreviewBrushes brushes_;
    CFlatButton buttons_[6];
};

}  // namespace tembra
