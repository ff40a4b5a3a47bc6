# Events in the clock (scheduler, alert dialog, firing): sources and tests.

# The day list's order, the per-tick scan, the day's record of what was handled, missed
# occurrences and the shutdown flags: portable.
tembra_pure_library(tembra_clock_events_core Scheduler.cpp DayRecord.cpp MissedEvents.cpp)
target_link_libraries(tembra_clock_events_core PUBLIC tembra_store_core)
target_link_libraries(tembra_clock_core PUBLIC tembra_clock_events_core)

tembra_native_test(clock_events_core_tests
  SOURCES tests/SchedulerTests.cpp
  LIBS tembra_clock_events_core)

if(NOT WIN32)
  return()
endif()

target_sources(tembra_clock PRIVATE AlertDialog.cpp MissedEventsDialog.cpp)

# In-process windows of class zmrClock would make a real clock started by another test leave
# at once (single instance), and they change the window order that the other in-process
# clock tests check: these hold both locks.
tembra_win_test(clock_events_tests PERTEST LOCK clock_window clock_process
  SOURCES tests/ClockEventsTests.cpp TembraClock.rc
  LIBS tembra_clock)

# The real program, with its outside effects written to a file.
tembra_win_test(clock_events_process_tests PERTEST LOCK clock_process TIMEOUT 90
  SOURCES tests/ClockEventsProcessTests.cpp
  LIBS tembra_store)
if(TARGET clock_events_process_tests)
  add_dependencies(clock_events_process_tests TembraClock_test)
endif()

# Benchmark (prints figures; not a test).
if(TEMBRA_TESTS)
  add_executable(clock_events_bench bench/EventsBench.cpp TembraClock.rc)
  tembra_target_defaults(clock_events_bench)
  target_link_libraries(clock_events_bench PRIVATE tembra_clock tembra_testmain)
endif()
