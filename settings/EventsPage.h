// The Events page ("事件"): every stored event in a three-column list, and New, Copy, Edit and
// Delete on the page's own copy of the list. Nothing reaches the store before Apply or OK,
// which make the page's changes to the list as stored then (the clock may have deleted fired
// events meanwhile, another program added some) and tell the clock to reload its events.
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
    // Makes `list` what the page's changes are made to, and shows it.
    void TakeList(EventList list);

    EventEditor editor_;
    // The list as loaded or last applied, and the page's list, whose records made from the
    // loaded ones carry ListKey index + 1 and new ones 0.
    EventList loaded_;
    EventList events_;
    CFlatButton buttons_[4];
};

}  // namespace tembra
