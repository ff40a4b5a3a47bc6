# Events in the clock (scheduler, alert dialog, firing): sources and tests.

# The day list's order, the per-tick scan and the shutdown flags: portable.
tembra_pure_library(tembra_clock_events_core Scheduler.cpp)
target_link_libraries(tembra_clock_events_core PUBLIC tembra_store_core)
target_link_libraries(tembra_clock_core PUBLIC tembra_clock_events_core)

tembra_native_test(clock_events_core_tests
  SOURCES tests/SchedulerTests.cpp
  LIBS tembra_clock_events_core)

if(NOT WIN32)
  return()
endif()
