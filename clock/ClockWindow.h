// The clock's one window (class zmrClock): its state and its message handling. The work is
// split by concern over several files:
//   ClockWindow.cpp  start-up steps, messages, tick, options reload, close
//   ClockFace.cpp    font, size, painting, transparency, position and drag
//   ClockTray.cpp    notification-area icon, popup menu and its commands
//   ClockEvents.cpp  today's events, the per-tick check and what a due event does
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "clock/AlertDialog.h"
#include "clock/ClockMessages.h"
#include "clock/DayRecord.h"
#include "clock/FaceShape.h"
#include "clock/MissedEvents.h"
#include "clock/Placement.h"
#include "framework/Handles.h"
#include "framework/Window.h"
#include "store/ClockOptions.h"
#include "store/EventRecord.h"
#include "store/OptionsStore.h"

namespace tembra {

// Lets benchmarks and tests see each accepted tick without touching the window.
class TickObserver {
public:
    virtual ~TickObserver() = default;
    virtual void OnClockTextChanged(const std::string& text) = 0;
};

class ClockWindow : public CWindow, private OptionsLoadSteps, private AlertAnswerSink {
public:
    static bool RegisterWindowClass(HINSTANCE instance);
    // Creates the window; WM_CREATE runs the start-up steps (options, tooltip, timer).
    bool Create(HINSTANCE instance);
    ~ClockWindow() override;

    const ClockOptions& options() const { return options_; }
    const std::string& clockText() const { return clockText_; }
    const std::string& hoverText() const { return hoverText_; }
    const EventList& dayList() const { return dayList_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The DPI the face is drawn at: its monitor's.
    unsigned dpi() const { return dpi_; }
    HWND tooltip() const { return tooltip_; }
    bool trayIconShown() const { return static_cast<bool>(trayIcon_); }
    // The icon's id for the shell, chosen afresh for each run: the shell passes it back with
    // each notification, and another program cannot know it.
    UINT trayIconId() const { return trayIconId_; }
    // How often the window region has been cut from the face (transparent mode).
    unsigned regionBuildCount() const { return regionBuilds_; }
    // How often a tick has painted pixels its shape showed that did not hold the text colour.
    unsigned newPixelPaints() const { return newPixelPaints_; }
    // The face's picture and the shape last cut from it (transparent mode).
    const FaceShape& faceShape() const { return face_; }

    void SetTickObserver(TickObserver* observer) { tickObserver_ = observer; }
    // A plain 1000 ms timer instead of one re-armed for each whole second (for comparison).
    void UsePlainTimer(bool plain) { plainTimer_ = plain; }

    // Builds the menu for the current state (the caller destroys it); `settingsWindow`
    // receives the open settings window the first item switches to, if any.
    HMENU BuildPopupMenu(HWND* settingsWindow) const;
    // Carries out a popup menu command.
    void RunCommand(UINT command);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // --- ClockWindow.cpp
    void OnCreate();
    void OnClose();
    void OnEndSession(bool ending);
    LRESULT OnNotify(const NMHDR* header);
    void CreateTooltip();
    void RelayToTooltip(UINT msg, WPARAM wParam, LPARAM lParam);
    void ApplyOptions();
    void ApplyWindowStyles();
    void SetTopmost(bool on);
    void FixAutoStartPath();
    void ArmTimer();
    void ClockTick();
    void BuildClockText();
    std::string BuildClockTextInto() const;
    void BuildHoverText();
    void Repaint();
    void ShowNewText();
    void PostEventDue(bool reminder, std::uint32_t listKey);
    void OnEventDueMessage(WPARAM wParam, LPARAM key);
    LRESULT OnPowerBroadcast(WPARAM event);
    void RecordLastRun(bool always);
    // OptionsLoadSteps
    void RemoveOldEvents(bool shutdownOnly) override;
    void PlaceWindow(int left, int top) override;
    void FinishLoad() override;

    // --- ClockFace.cpp
    int FontHeightNow() const;
    int FaceMargin() const;
    void CreateClockFont();
    void SizeToText();
    void PaintClock(HDC dc);
    void PaintOpaque(HDC dc);
    void PaintTransparent(HDC dc);
    void ReleaseFaceResources();
    void MoveToStoredCorner();
    void KeepOnMonitors();
    void OnDpiChanged(UINT dpi, const RECT* suggested);
    void OnDragStart(LPARAM lParam);
    void OnDragMove();
    void OnDragEnd();
    void OnCaptureLost();
    void StorePosition();
    std::string RegionKey() const;
    bool ShapeToText();
    void ShowNewPixels(bool now);
    void ForgetPixelsTheShapeHid();
    void NoteTextColour(HRGN pixels);

    // --- ClockTray.cpp
    void SetTrayMode(bool on, bool show);
    void OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnTaskbarCreated();
    static UINT NewTrayIconId();
    void ShowPopupMenu();
    void ToggleOption(bool& option, const char* name);
    void StartSettings(const char* parameter);
    void StartSibling(const char* exeName, const char* parameter);
    bool AddTrayIcon();
    void UpdateTrayTip();
    void ToggleFaceOption(bool& option, const char* name, bool rebuildText);

    // --- ClockEvents.cpp
    void ReloadDayList();
    void ReloadDayListFrom(long long from);
    EventList KeyedRecords(int firstDay) const;
    bool IsPending(std::uint32_t listKey) const;
    void CheckEvents();
    void EventDue(bool reminder, std::uint32_t listKey);
    std::vector<MissedLine> MissedSinceLastRun() const;
    std::vector<MissedLine> MissedWhileAway(long long after, long long before);
    void ShowMissed(const std::vector<MissedLine>& lines);
    void OnAlertAnswer(HWND dialog, int choice) override;
    void Execute(const EventRecord& event);
    void StopLoopingSound();
    void PlayEventSound(const EventRecord& event, bool mayLoop);
    void CloseReminderOf(std::uint32_t listKey);
    void ShowEventMessage(const EventRecord& event);
    void AnswerDoNotRun(std::uint32_t listKey);
    void AnswerRunNow(std::uint32_t listKey);

    // Transparent mode: the window has been given the face's shape (it owns that copy).
    bool shaped_ = false;
    unsigned regionBuilds_ = 0;
    // Date-time of the last accepted tick.
    double tickTime_ = 0.0;
    // Off-screen drawing of transparent mode and the shape cut from it.
    FaceShape face_;
    // The window's pixels known to hold the text colour, whether its shape shows them now
    // or not; none once the window may have lost them.
    UniqueRegion textColourPixels_;
    // Set while a paint the clock asked for runs.
    bool ownPaint_ = false;
    unsigned newPixelPaints_ = 0;
    UniqueFont font_;
    unsigned dpi_ = 96;
    bool needNewBitmap_ = true;
    // The region is rebuilt only when what it is cut from changes.
    std::string regionKey_;
    // "Left" and "Top" as just loaded, until the window is sized and moved there.
    std::optional<ScreenPoint> storedCorner_;
    bool dragging_ = false;
    bool soundLooping_ = false;
    bool timeChanged_ = false;
    // The computer announced a suspend; the next tick (or the resume) counts what it missed.
    bool suspended_ = false;
    // The moment last written as the last-run record, in whole seconds.
    long long lastRunWritten_ = 0;
    int dragOffsetX_ = 0;
    int dragOffsetY_ = 0;
    std::string clockText_;
    std::string hoverText_;
    std::string programPath_;
    int width_ = 0;
    int height_ = 0;
    UniqueIcon trayIcon_;
    UINT trayIconId_ = NewTrayIconId();
    HWND tooltip_ = nullptr;
    MSG relay_{};
    EventList dayList_;
    // The last ListKey given to one of its records.
    std::uint32_t lastListKey_ = 0;
    // What was done today with each occurrence, kept across reloads of the day list.
    DayRecord dayRecord_;
    ClockOptions options_;
    HINSTANCE instance_ = nullptr;

    // ListKeys of the records posted with WM_CLOCK_EVENTDUE and not yet handled, by message key.
    std::map<LPARAM, std::uint32_t> pendingDue_;
    unsigned long lastDueKey_ = 0;

    TickObserver* tickObserver_ = nullptr;
    bool plainTimer_ = false;
};

// The "TaskbarCreated" broadcast, registered once per process.
UINT TaskbarCreatedMessage();

}  // namespace tembra
