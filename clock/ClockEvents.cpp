// Today's events: the day list, the per-tick check and what a due event does.
#include "clock/ClockWindow.h"

#include <mmsystem.h>

#include <algorithm>
#include <vector>

#include "clock/AlertDialog.h"
#include "clock/AlertTable.h"
#include "clock/BackgroundStarts.h"
#include "clock/MissedEventsDialog.h"
#include "clock/Scheduler.h"
#include "framework/SystemActions.h"
#include "store/EventStore.h"

namespace tembra {
namespace {

EventList::iterator FindByKey(EventList& list, std::uint32_t key) {
    for (auto it = list.begin(); it != list.end(); ++it)
        if ((*it)->ListKey == key) return it;
    return list.end();
}

long long Now() { return WholeSeconds(CurrentDateValue()); }

void ShutDownForEvent() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);  // on failure: not NT, the flags every Windows accepts
    System().ShutDown(ShutdownFlagsFor(version.dwPlatformId, version.dwMajorVersion),
                      ShutdownNeedsPrivilege(version.dwPlatformId));
}

}  // namespace

void ClockWindow::ReloadDayList() { ReloadDayListFrom(Now()); }

void ClockWindow::ReloadDayListFrom(long long from) {
    const int today = DayOfMoment(Now());
    const double todayFrom = std::max(from, today * 86400LL) / 86400.0;
    EventList stored;
    LoadEvents(false, stored);
    EventList fresh;
    auto take = [&](const EventRecord& e, int day) {
        fresh.push_back(std::make_unique<EventRecord>(e));
        fresh.back()->OccursOn = day;
    };
    for (const auto& e : stored) {
        // Disabled events stay in the list, unchecked, as loading today's events keeps them.
        if (!e->Enabled || CanStillComeToday(*e, todayFrom)) take(*e, today);
        // Tomorrow's event whose reminder falls today (00:05 with ten minutes: 23:55 tonight).
        if (e->Enabled && AttentionSecond(*e) < 0 && CanStillComeToday(*e, today + 1.0))
            take(*e, today + 1);
    }
    // A record loaded before, or one that was handled, keeps its key, so a post or an open
    // reminder still finds it and what was done with it today still holds.
    AssignListKeys(KeyedRecords(today), fresh, &lastListKey_);
    dayRecord_.ForgetBefore(today - 1);
    dayRecord_.Apply(fresh);
    // An earlier day's occurrence still waiting (the first tick of the day came late) is
    // checked before its list goes.
    for (auto& e : dayList_) {
        if (e->OccursOn < today && e->Enabled &&
            (OccurrenceMoment(*e) >= from || IsPending(e->ListKey)))
            fresh.push_back(std::move(e));
    }
    SortDayList(fresh);
    dayList_ = std::move(fresh);
    // One whose reminder is still open on screen has been reminded, even when it was moved.
    for (auto& e : dayList_) {
        if (!Alerts().FirstDialogFor(e->ListKey)) continue;
        e->Reminded = true;
        dayRecord_.Note(*e, kHandledReminded);
    }
}

// The records whose keys a reload gives on: the day list's from `firstDay` on, and the last
// seen version of each handled one.
EventList ClockWindow::KeyedRecords(int firstDay) const {
    EventList records;
    auto has = [&](std::uint32_t key) {
        return std::any_of(records.begin(), records.end(),
                           [&](const auto& r) { return r->ListKey == key; });
    };
    for (const auto& e : dayList_)
        if (e->OccursOn >= firstDay) records.push_back(std::make_unique<EventRecord>(*e));
    for (const auto& e : dayRecord_.Known())
        if (!has(e->ListKey)) records.push_back(std::make_unique<EventRecord>(*e));
    return records;
}

bool ClockWindow::IsPending(std::uint32_t listKey) const {
    return std::any_of(pendingDue_.begin(), pendingDue_.end(),
                       [&](const auto& entry) { return entry.second == listKey; });
}

void ClockWindow::CheckEvents() {
    // Deletions of fired events that had to wait while another program held the store.
    RetryDeferredDeletes();
    std::vector<std::uint32_t> pending;
    for (const auto& entry : pendingDue_) pending.push_back(entry.second);
    for (const DuePost& post : ScanDue(dayList_, Now(), pending))
        PostEventDue(post.reminder, post.key);
}

void ClockWindow::EventDue(bool reminder, std::uint32_t listKey) {
    auto it = FindByKey(dayList_, listKey);
    if (it == dayList_.end()) return;  // reloaded away since it was posted
    // Looked at once more: since the post the clock may have been set back, even to another
    // day, or the message may not be ours.
    const long long now = Now();
    if (!StillDue(**it, reminder, now)) return;
    if (reminder) {
        (*it)->Reminded = true;  // set first: a reminder that cannot be shown is not tried again
        dayRecord_.Note(**it, kHandledReminded);
        // A copy: creating a window may let a reload message through, which frees the record.
        const EventRecord event = **it;
        HWND dialog = CreateAlertDialog(instance_, hwnd_, this, event.Name, true);
        if (!dialog) return;
        Alerts().Add(dialog, listKey);
        PlayEventSound(event, true);
        return;
    }
    const EventRecord event = **it;
    dayRecord_.Note(event, kHandledFired);
    // A recurring event comes back with the next reload on one of its days.
    dayList_.erase(it);
    // The clock set forward by hand past a shutdown: powering off long after its time would
    // surprise the user, so it is only listed.
    if (event.Action == ShutDown && now - OccurrenceMoment(event) > kLateLimitSeconds) {
        CloseReminderOf(event.ListKey);
        ShowMissed({MissedLineOf(event, OccurrenceMoment(event), false)});
        return;
    }
    if (event.Frequency == Once) DeleteStoredEvent(event);
    Execute(event);
}

std::vector<MissedLine> ClockWindow::MissedSinceLastRun() const {
    double lastRun = 0.0;
    // A first start has no record and lists nothing.
    if (!ReadLastRun(&lastRun) || !UsableLastRun(lastRun)) return {};
    EventList stored;
    LoadEvents(false, stored);
    return MissedBetween(stored, WholeSeconds(lastRun), WholeSeconds(tickTime_));
}

// What passed while the computer was away, from the day list's reload onwards: the stored
// events' occurrences and the reminders of those still to come, which are not shown late.
std::vector<MissedLine> ClockWindow::MissedWhileAway(long long after, long long before) {
    EventList stored;
    LoadEvents(false, stored);
    std::vector<MissedLine> lines = MissedBetween(stored, after, before);
    for (std::uint32_t key : RemindersBetween(dayList_, after, before)) {
        EventRecord& e = **FindByKey(dayList_, key);
        e.Reminded = true;
        dayRecord_.Note(e, kHandledReminded);
        lines.push_back(MissedLineOf(e, AttentionMoment(e), true));
    }
    std::stable_sort(lines.begin(), lines.end(),
                     [](const MissedLine& a, const MissedLine& b) { return a.latest < b.latest; });
    return lines;
}

void ClockWindow::ShowMissed(const std::vector<MissedLine>& lines) {
    if (!lines.empty()) ShowMissedEvents(instance_, hwnd_, lines);
}

void ClockWindow::OnAlertAnswer(HWND dialog, int choice) {
    // Reminders are in the table, message dialogs are not.
    const AlertEntry* entry = Alerts().FindDialog(dialog);
    // Any answer stops a looping sound, whichever dialog it belongs to.
    if (soundLooping_) StopLoopingSound();
    if (!entry) return;
    const std::uint32_t key = entry->eventKey;
    Alerts().RemoveDialog(dialog);
    if (choice == kAlertChoiceDoNotRun)
        AnswerDoNotRun(key);
    else if (choice == kAlertChoiceRunNow)
        AnswerRunNow(key);
    // Close: the event stays in the day list, reminded, and fires at its time.
}

void ClockWindow::AnswerDoNotRun(std::uint32_t listKey) {
    auto it = FindByKey(dayList_, listKey);
    if (it == dayList_.end()) return;
    dayRecord_.Note(**it, kHandledSkipped);
    if ((*it)->Frequency == Once) DeleteStoredEvent(**it);
    dayList_.erase(it);
}

void ClockWindow::AnswerRunNow(std::uint32_t listKey) {
    auto it = FindByKey(dayList_, listKey);
    if (it == dayList_.end()) return;
    const EventRecord event = **it;
    // A recurring event stays and still fires at its time.
    if (event.Frequency == Once) {
        dayRecord_.Note(event, kHandledFired);
        dayList_.erase(it);
        DeleteStoredEvent(event);
    }
    Execute(event);
}

void ClockWindow::Execute(const EventRecord& event) {
    CloseReminderOf(event.ListKey);
    switch (event.Action) {
        case ShowMessage:
            if (event.SoundOnly)
                PlayEventSound(event, false);
            else
                ShowEventMessage(event);
            break;
        case RunProgram:
            // The seam never lets the shell show an error box: a missing program is silent.
            // A program on a share that does not answer would hold up its caller for long.
            StartInBackground({event.Run, event.RunParams, event.RunIn});
            PlayEventSound(event, false);
            break;
        case ShutDown:
            ShutDownForEvent();
            break;
        default:
            break;
    }
}

void ClockWindow::CloseReminderOf(std::uint32_t listKey) {
    HWND dialog = Alerts().FirstDialogFor(listKey);
    if (!dialog) return;
    // Closed here rather than through its own close command, which the dialog manager would
    // post and which would arrive after this event's sound has started: as an answer it would
    // stop the event's own loop. Closing the reminder stops the reminder's loop now.
    Alerts().RemoveDialog(dialog);
    if (soundLooping_) StopLoopingSound();
    DestroyWindow(dialog);
}

void ClockWindow::ShowEventMessage(const EventRecord& event) {
    // Message dialogs take no keyboard answers, so they stay out of the alert table.
    if (!CreateAlertDialog(instance_, hwnd_, this, event.Name, false)) return;
    PlayEventSound(event, true);
}

void ClockWindow::StopLoopingSound() {
    System().PlaySoundFile("", 0);
    soundLooping_ = false;
}

void ClockWindow::PlayEventSound(const EventRecord& event, bool mayLoop) {
    if (event.WavFile.empty()) {
        System().DefaultBeep();
        return;
    }
    if (soundLooping_) StopLoopingSound();
    if (mayLoop && event.LoopSound) {
        System().PlaySoundFile(event.WavFile, SND_ASYNC | SND_LOOP);
        soundLooping_ = true;
    } else {
        System().PlaySoundFile(event.WavFile, SND_ASYNC);
    }
}

}  // namespace tembra
