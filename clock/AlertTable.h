// The open reminder dialogs, in the order they were opened. The message loop offers every
// message to each of them so Tab, Enter and Escape work in a modeless dialog.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace tembra {

// A reminder on screen and the day-list record it reminds of (its ListKey: Ids need not be
// unique).
struct AlertEntry {
    HWND dialog;
    std::uint32_t eventKey;
};

class AlertTable {
public:
    void Add(HWND dialog, std::uint32_t eventKey) { entries_.push_back({dialog, eventKey}); }
    const AlertEntry* FindDialog(HWND dialog) const;
    HWND FirstDialogFor(std::uint32_t eventKey) const;
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
