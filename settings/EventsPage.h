// The Events page ("事件"): every stored event in a three-column list, and New, Copy, Edit and
// Delete on the page's own copy of the list. Nothing reaches the store before Apply or OK,
// which replace the whole stored list and tell the clock to reload its events.
#pragma once
#include <windows.h>

#include <functional>

#include "settings/FlatButton.h"
#include "settings/SettingsPage.h"
#include "store/EventRecord.h"

namespace tembra {

// Runs the event editor modally over `record`, owned by `owner`; true when it closed with OK,
// the only case in which it changed the record.
using EventEditor = std::function<bool(HWND owner, EventRecord& record)>;
bool RunEventEditor(HWND owner, EventRecord& record);

class CTCEventsDlg : public CTCPage {
public:
    // New, Copy and Edit go through `editor`: the real one, or one a test answers.
    explicit CTCEventsDlg(EventEditor editor = RunEventEditor);

protected:
    BOOL OnInitDialog() override;
    bool OnApply(bool ok) override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    HWND List() const;
    void AttachButtons();
    void AddColumns();
    void RefreshList();
    // Index of the selected row (= event), -1 for none.
    int Selected() const;
    void OnNew();
    void OnCopy();
    void OnEdit();
    void OnDelete();
    // Runs the editor on `record` and appends it to the list when it closes with OK.
    void AddThroughEditor(std::unique_ptr<EventRecord> record);

    EventEditor editor_;
    EventList events_;
    CFlatButton buttons_[4];
};

}  // namespace tembra
