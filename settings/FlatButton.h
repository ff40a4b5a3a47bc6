// The push button of every dialog of the settings program. It takes over a button control
// of a dialog template and draws it itself: a flat face with a raised border only while the
// mouse is over it and a sunken one while pressed, an optional image left of the caption, an
// embossed look when disabled, the focus rectangle and a hand cursor. Clicks, keys and the
// click notification stay the system button's. To the dialog manager it is a push button:
// the focused one is the default (Enter presses it) and shows a dark outer frame, as the
// dialog's own default does while no push button has the focus.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Handles.h"
#include "framework/SubclassedWindow.h"
#include "settings/SettingsResources.h"

namespace tembra {

enum ButtonLook {
    LookRaised = 0,    // raised, two frames; sunken while pressed
    LookFlat = 1,      // no border until hot; then one frame
    LookSemiFlat = 2,  // one shadow frame until hot; then two frames
    LookNoBorder = 3,  // never a border
    LookStandard = 4,  // drawn by the system: not owner-drawn
};

class CFlatButton : public CSubclassedWindow {
public:
    CFlatButton() = default;
    ~CFlatButton() override;

    // Before attaching: the look the control takes. After: changes the control's style to
    // match and repaints.
    void SetLook(ButtonLook look);
    ButtonLook Look() const { return look_; }
    // Takes over the dialog's control `id`.
    bool AttachTo(HWND dialog, int id) { return Attach(GetDlgItem(dialog, id)); }

    // Shows `bitmap` (null: none) left of the caption; with `owned` the button destroys it
    // (and `hot`, shown while the mouse is over the button) when replaced or destroyed.
    void SetBitmapImage(HBITMAP bitmap, bool owned, HBITMAP hot = nullptr);
    void SetIconImage(HICON icon, bool owned, HICON hot = nullptr);
    // Shows the shared hand cursor (resource 132) over the button.
    void UseHandCursor();

    bool IsHot() const { return hot_; }
    bool IsPushed() const { return pushed_; }
    bool HasDisabledBitmap() const { return static_cast<bool>(disabledBitmap_); }
    SIZE ImageSize() const { return imageSize_; }

protected:
    virtual void ReleaseImages();
    virtual void PaintBackground(HDC dc, const RECT& rect);
    // Draws the border for the look and state and shrinks `rect` to the content area.
    virtual void PaintBorder(HDC dc, RECT& rect, UINT state);
    virtual void PaintFocus(HDC dc, RECT rect);
    virtual void PaintContent(HDC dc, const RECT& rect, UINT state);
    virtual void PaintCaption(HDC dc, const std::string& caption, RECT rect, UINT format);
    virtual void MakeDisabledBitmap();
    // Selects the font given by WM_SETFONT (the stock GUI font without one); returns the
    // font it replaced.
    virtual HFONT SelectCaptionFont(HDC dc);

    void OnAttached() override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyLookToStyle();
    void RepaintNow();
    void TakeCapture();
    void ReleaseCaptureIfHeld();
    void ClearStates();
    void OnCaptureLost();
    // Whether the owner-drawn button is the default push button now.
    bool IsDefault() const;
    void SetDefault(bool isDefault, bool repaint);
    void TakeDefault();
    void PassDefaultOn(HWND newFocus);
    HWND DialogDefaultButton() const;
    bool ContainsPoint(POINT p) const;
    LRESULT OnMouseMove(WPARAM keys, LPARAM point);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);

    ButtonLook look_ = LookStandard;
    bool pushed_ = false;
    bool clickedInside_ = false;
    bool hot_ = false;
    bool captured_ = false;
    bool default_ = false;  // the dialog manager made it the default (BM_SETSTYLE)
    SIZE imageSize_{0, 0};
    HICON icon_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HICON hotIcon_ = nullptr;
    HBITMAP hotBitmap_ = nullptr;
    UniqueBitmap disabledBitmap_;
    bool ownsImages_ = false;
    HCURSOR cursor_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace tembra
