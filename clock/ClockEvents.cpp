// Today's events: the day list, the per-tick check and what a due event does.
#include "clock/ClockWindow.h"

#include <mmsystem.h>

#include <vector>

#include "clock/AlertDialog.h"
#include "clock/AlertTable.h"
#include "clock/Scheduler.h"
#include "framework/SystemActions.h"
#include "store/EventStore.h"

namespace tembra {
namespace {

EventList::iterator FindById(EventList& list, double id) {
    for (auto it = list.begin(); it != list.end(); ++it)
        if ((*it)->Id == id) return it;
    return list.end();
}

void ShutDownForEvent() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);  // on failure: not NT, the flags every Windows accepts
    System().ShutDown(ShutdownFlagsFor(version.dwPlatformId, version.dwMajorVersion),
                      ShutdownNeedsPrivilege(version.dwPlatformId));
}

}  // namespace

void ClockWindow::ReloadDayList() {
    dayList_.clear();
    LoadEvents(true, dayList_);
    SortDayList(dayList_);
    // A fresh record has not been reminded; one whose reminder is still open on screen has,
    // and must not get a second one because the settings program saved the list meanwhile.
    for (auto& e : dayList_)
        if (Alerts().FirstDialogFor(e->Id)) e->Reminded = true;
}

void ClockWindow::CheckEvents() {
    std::vector<double> pending;
    for (const auto& entry : pendingDue_) pending.push_back(entry.second);
    const long long now = SecondsOfDay(TimePart(CurrentDateValue()));
    for (const DuePost& post : ScanDue(dayList_, now, pending)) PostEventDue(post.reminder, post.id);
}

void ClockWindow::EventDue(bool reminder, double id) {
    auto it = FindById(dayList_, id);
    if (it == dayList_.end()) return;  // reloaded away since it was posted
    if (reminder) {
        (*it)->Reminded = true;  // set first: a reminder that cannot be shown is not tried again
        // A copy: creating a window may let a reload message through, which frees the record.
        const EventRecord event = **it;
        HWND dialog = CreateAlertDialog(instance_, hwnd_, event.Name, true);
        if (!dialog) return;
        Alerts().Add(dialog, id);
        PlayEventSound(event, true);
        return;
    }
    const EventRecord event = **it;
    if (event.Frequency == Once) DeleteEventById(id);
    // A recurring event comes back with the next reload on one of its days.
    dayList_.erase(it);
    Execute(event);
}

void ClockWindow::AlertChoice(const AlertChoiceRecord& record) {
    const AlertEntry* entry = Alerts().FindDialog(record.dialog);
    // Any answer stops a looping sound, whichever dialog it belongs to.
    if (soundLooping_) StopLoopingSound();
    if (!entry || record.mode != kAlertReminderMode) return;
    const double id = entry->eventId;
    Alerts().RemoveDialog(record.dialog);
    if (record.choice == kAlertChoiceDoNotRun)
        AnswerDoNotRun(id);
    else if (record.choice == kAlertChoiceRunNow)
        AnswerRunNow(id);
    // Close: the event stays in the day list, reminded, and fires at its time.
}

void ClockWindow::AnswerDoNotRun(double id) {
    auto it = FindById(dayList_, id);
    if (it == dayList_.end()) return;
    if ((*it)->Frequency == Once) DeleteEventById(id);
    dayList_.erase(it);
}

void ClockWindow::AnswerRunNow(double id) {
    auto it = FindById(dayList_, id);
    if (it == dayList_.end()) return;
    const EventRecord event = **it;
    // A recurring event stays and still fires at its time.
    if (event.Frequency == Once) {
        dayList_.erase(it);
        DeleteEventById(id);
    }
    Execute(event);
}

void ClockWindow::Execute(const EventRecord& event) {
    CloseReminderOf(event.Id);
    switch (event.Action) {
        case ShowMessage:
            if (event.SoundOnly)
                PlayEventSound(event, false);
            else
                ShowEventMessage(event);
            break;
        case RunProgram:
            // The seam never lets the shell show an error box: a missing program is silent.
            System().StartProgram({event.Run, event.RunParams, event.RunIn});
            PlayEventSound(event, false);
            break;
        case ShutDown:
            ShutDownForEvent();
            break;
        default:
            break;
    }
}

void ClockWindow::CloseReminderOf(double id) {
    HWND dialog = Alerts().FirstDialogFor(id);
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
