// The settings program's about box: the product picture, the name and version in bold, and
// three links (two mail addresses and the home page) drawn underlined in blue under a hand
// cursor, opened by the shell when clicked.
#pragma once
#include <windows.h>

#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "settings/FlatButton.h"

namespace tembra {

// What each link opens; the text shown need not be the target.
constexpr const char* kHomePageTarget = "http://www.example.org/tembra/";
constexpr const char* kFirstMailTarget = "Mailto:tembra-clock@example.org";
constexpr const char* kSecondMailTarget = "Mailto:zh@example.org";

class CAboutDlg : public CDialog {
public:
    // Runs the box modally; returns when it closes.
    INT_PTR Run(HINSTANCE instance, HWND parent);

protected:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    BOOL OnInitDialog();
    INT_PTR OnCtlColorStatic(HDC dc, HWND control, LPARAM lParam);
    bool OnSetCursor(HWND under);
    void OnCommand(int id, int code);
    bool IsLink(HWND control) const;
    void CreateFonts();
    void MapPictureColours();

    CFlatButton ok_;
    UniqueFont bold_;
    UniqueFont link_;
    UniqueIcon smallIcon_;
    UniqueBitmap picture_;
};

}  // namespace tembra
