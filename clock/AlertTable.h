// The open reminder dialogs, in the order they were opened. The message loop offers every
// message to each of them so Tab, Enter and Escape work in a modeless dialog.
#pragma once
#include <windows.h>

#include <vector>

namespace tembra {

struct AlertEntry {
    HWND dialog;
    double eventId;
};

// What an alert dialog sends to the clock window (WM_ALERT_CHOICE) when it is answered.
struct AlertChoiceRecord {
    HWND dialog;
    int mode;    // 1 reminder, 0 message
    int choice;  // 0 close, 1 do not run, 2 run now
};

class AlertTable {
public:
    void Add(HWND dialog, double eventId) { entries_.push_back({dialog, eventId}); }
    const AlertEntry* FindDialog(HWND dialog) const;
    HWND FirstDialogFor(double eventId) const;
    void RemoveDialog(HWND dialog);
    bool empty() const { return entries_.empty(); }
    size_t size() const { return entries_.size(); }
    // True when one of the dialogs took the message.
    bool PreTranslate(MSG* msg) const;

private:
    std::vector<AlertEntry> entries_;
};

AlertTable& Alerts();

}  // namespace tembra
