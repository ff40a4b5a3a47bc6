// Today's events: the day list, the per-tick check and what a due event does.
#include <vector>

#include "clock/AlertTable.h"
#include "clock/ClockWindow.h"
#include "clock/Scheduler.h"
#include "store/EventStore.h"

namespace tembra {

void ClockWindow::ReloadDayList() {
    dayList_.clear();
    LoadEvents(true, dayList_);
    SortDayList(dayList_);
}

void ClockWindow::CheckEvents() {
    std::vector<double> pending;
    for (const auto& entry : pendingDue_) pending.push_back(entry.second);
    const long long now = SecondsOfDay(TimePart(CurrentDateValue()));
    for (const DuePost& post : ScanDue(dayList_, now, pending)) PostEventDue(post.reminder, post.id);
}

void ClockWindow::EventDue(bool, double) {}
void ClockWindow::AlertChoice(const AlertChoiceRecord&) {}
void ClockWindow::Execute(const EventRecord&) {}
void ClockWindow::StopLoopingSound() { soundLooping_ = false; }
void ClockWindow::PlayEventSound(const EventRecord&, bool) {}

}  // namespace tembra
