// The event editor (dialog 142): one event's name, schedule, reminder, sound and action. It
// works on its own copy of the caller's record and writes the caller's record only as the
// last step of OK; Cancel, Escape and the close box leave it untouched. It never touches the
// registry.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <string>

#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "settings/FlatButton.h"
#include "settings/core/EventEditRules.h"
#include "store/EventRecord.h"

namespace tembra {

class CTCEventEditDlg : public CDialog {
public:
    explicit CTCEventEditDlg(EventRecord* record);

    // Runs the editor modally; IDOK or IDCANCEL.
    INT_PTR Run(HINSTANCE instance, HWND parent);

protected:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    BOOL OnInitDialog();
    void SetUpButtons();
    void ShowChoices();
    void FillWeekdays();
    void ShowDate();
    void ShowTime();
    void SetUpNumber(int editId, int spinId, int maxChars, long value);
    void ShowTexts();
    void ApplyVisibilityRule();
    void ApplyRunFieldsRule();
    void ApplySoundRule();

    bool OnCommand(int id, int code);
    bool OnNotify(LPARAM lParam);
    void OnStep(NMUPDOWN& step, int editId, StepField field);
    void OnDays();
    void OnBrowseSound();
    void OnBrowseCommand();
    void OnBrowseFolder();
    bool PickFile(const char* filter, const std::string& lastChosen, std::string* chosen);
    void OnOK();
    EditorValues ReadControls() const;
    std::optional<int> PickedDay() const;
    std::optional<double> PickedTimeOfDay() const;

    EventRecord* caller_;
    EventRecord working_;
    std::uint8_t daysMask_;
    // The date picker's own day, when it could not show the stored one: OK keeps the stored
    // day unless the user picked another.
    std::optional<int> dayInsteadOfStored_;
    std::string lastSound_;
    std::string lastCommand_;
    std::string initialFolder_;
    char fileName_[MAX_PATH] = "";
    OPENFILENAMEA openFile_{};
    CFlatButton ok_, cancel_, days_, browseSound_, browseCommand_, browseFolder_;
    UniqueIcon smallIcon_;
};

}  // namespace tembra
