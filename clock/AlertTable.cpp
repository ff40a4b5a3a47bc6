#include "clock/AlertTable.h"

#include <algorithm>

namespace tembra {

const AlertEntry* AlertTable::FindDialog(HWND dialog) const {
    for (const auto& e : entries_)
        if (e.dialog == dialog) return &e;
    return nullptr;
}

HWND AlertTable::FirstDialogFor(std::uint32_t eventKey) const {
    for (const auto& e : entries_)
        if (e.eventKey == eventKey) return e.dialog;
    return nullptr;
}

void AlertTable::RemoveDialog(HWND dialog) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [dialog](const AlertEntry& e) { return e.dialog == dialog; });
    if (it != entries_.end()) entries_.erase(it);
}

bool AlertTable::PreTranslate(MSG* msg) const {
    // Copy: a dialog may answer (and leave the table) while it handles the message.
    const std::vector<AlertEntry> snapshot = entries_;
    for (const auto& e : snapshot)
        if (IsWindow(e.dialog) && IsDialogMessageA(e.dialog, msg)) return true;
    return false;
}

AlertTable& Alerts() {
    static AlertTable table;
    return table;
}

}  // namespace tembra
