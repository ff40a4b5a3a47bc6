// Today's events: the day list, the per-tick check and what a due event does.
#include "clock/ClockWindow.h"

#include <mmsystem.h>

#include <vector>

#include "clock/AlertDialog.h"
#include "clock/AlertTable.h"
#include "clock/BackgroundStarts.h"
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

long long SecondOfDayNow() { return SecondsOfDay(TimePart(CurrentDateValue())); }

void ShutDownForEvent() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);  // on failure: not NT, the flags every Windows accepts
    System().ShutDown(ShutdownFlagsFor(version.dwPlatformId, version.dwMajorVersion),
                      ShutdownNeedsPrivilege(version.dwPlatformId));
}

}  // namespace

void ClockWindow::ReloadDayList() { ReloadDayListFrom(CurrentDateValue()); }

void ClockWindow::ReloadDayListFrom(double from) {
    EventList fresh;
    LoadEventsStillToCome(from, fresh);
    SortDayList(fresh);
    // A record loaded before keeps its key, so a post or an open reminder still finds it.
    AssignListKeys(dayList_, fresh, &lastListKey_);
    dayList_ = std::move(fresh);
    dayListDay_ = DayPart(from);
    // A fresh record has not been reminded; one whose reminder is still open on screen has,
    // and must not get a second one because the settings program saved the list meanwhile.
    for (auto& e : dayList_)
        if (Alerts().FirstDialogFor(e->ListKey)) e->Reminded = true;
}

void ClockWindow::CheckEvents() {
    std::vector<std::uint32_t> pending;
    for (const auto& entry : pendingDue_) pending.push_back(entry.second);
    for (const DuePost& post : ScanDue(dayList_, SecondOfDayNow(), pending))
        PostEventDue(post.reminder, post.key);
}

void ClockWindow::EventDue(bool reminder, std::uint32_t listKey) {
    auto it = FindByKey(dayList_, listKey);
    if (it == dayList_.end()) return;  // reloaded away since it was posted
    // Looked at once more: since the post the clock may have been set back, even to another
    // day, or the message may not be ours.
    if (DayPart(CurrentDateValue()) != dayListDay_ || !StillDue(**it, reminder, SecondOfDayNow()))
        return;
    if (reminder) {
        (*it)->Reminded = true;  // set first: a reminder that cannot be shown is not tried again
        // A copy: creating a window may let a reload message through, which frees the record.
        const EventRecord event = **it;
        HWND dialog = CreateAlertDialog(instance_, hwnd_, event.Name, true);
        if (!dialog) return;
        Alerts().Add(dialog, listKey);
        PlayEventSound(event, true);
        return;
    }
    const EventRecord event = **it;
    if (event.Frequency == Once) DeleteStoredEvent(event);
    // A recurring event comes back with the next reload on one of its days.
    dayList_.erase(it);
    Execute(event);
}

void ClockWindow::OnAlertChoiceMessage(WPARAM choice, LPARAM dialog) {
    // Any program can send this message: only an answer from one of our own alert dialogs,
    // with a choice we know, is taken.
    HWND window = reinterpret_cast<HWND>(dialog);
    if (!IsAlertDialogOf(window, hwnd_)) return;
    if (choice != kAlertChoiceClose && choice != kAlertChoiceDoNotRun && choice != kAlertChoiceRunNow)
        return;
    AlertChoice(window, static_cast<int>(choice));
}

void ClockWindow::AlertChoice(HWND dialog, int choice) {
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
    if ((*it)->Frequency == Once) DeleteStoredEvent(**it);
    dayList_.erase(it);
}

void ClockWindow::AnswerRunNow(std::uint32_t listKey) {
    auto it = FindByKey(dayList_, listKey);
    if (it == dayList_.end()) return;
    const EventRecord event = **it;
    // A recurring event stays and still fires at its time.
    if (event.Frequency == Once) {
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
    if (!CreateAlertDialog(instance_, hwnd_, event.Name, false)) return;
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
