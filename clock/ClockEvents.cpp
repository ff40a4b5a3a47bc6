// Today's events: the day list, the per-tick check and what a due event does.
#include "clock/AlertTable.h"
#include "clock/ClockWindow.h"
#include "store/EventStore.h"

namespace tembra {

void ClockWindow::ReloadDayList() {
    dayList_.clear();
    LoadEvents(true, dayList_);
}

void ClockWindow::CheckEvents() {}
void ClockWindow::EventDue(bool, double) {}
void ClockWindow::AlertChoice(const AlertChoiceRecord&) {}
void ClockWindow::Execute(const EventRecord&) {}
void ClockWindow::StopLoopingSound() { soundLooping_ = false; }
void ClockWindow::PlayEventSound(const EventRecord&, bool) {}

}  // namespace tembra
