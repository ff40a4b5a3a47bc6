# Clock face (drawing, transparency, position, drag) and tray icon / popup menu: sources and tests.

# Portable part: the run-length walk behind the window region, the position rule and the
# popup menu's contents.
tembra_pure_library(tembra_clock_face_core
  PopupMenu.cpp
  Placement.cpp
  RegionRuns.cpp)

tembra_native_test(clock_face_core_tests
  SOURCES tests/RegionRunsTests.cpp tests/PlacementTests.cpp tests/PopupMenuTests.cpp
  LIBS tembra_clock_face_core)

if(WIN32)
  target_sources(tembra_clock PRIVATE ${CMAKE_CURRENT_LIST_DIR}/RegionFromBitmap.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FaceShape.cpp ${CMAKE_CURRENT_LIST_DIR}/MonitorList.cpp)
  target_link_libraries(tembra_clock PUBLIC tembra_clock_face_core)

  # In-process clocks are found by class name like the real program: hold the process lock too.
  tembra_win_test(clock_face_tests PERTEST LOCK clock_window clock_process
    SOURCES tests/ClockFaceTests.cpp TembraClock.rc
    LIBS tembra_clock)
  tembra_win_test(clock_tray_tests PERTEST LOCK clock_window clock_process
    SOURCES tests/ClockTrayTests.cpp TembraClock.rc
    LIBS tembra_clock)
  # The face at a system DPI of 144 (its own headless prefix).
  tembra_win_test(clock_dpi_tests HIDPI PERTEST LOCK clock_window clock_process
    SOURCES tests/ClockDpiTests.cpp TembraClock.rc
    LIBS tembra_clock)
  # Real pixels and a real notification area: Xvfb with a window manager. Screenshots need
  # the screen to themselves.
  tembra_win_test(clock_face_screen_tests X11 PERTEST LOCK x11_screen
    SOURCES tests/ClockScreenTests.cpp TembraClock.rc
    LIBS tembra_clock)

  # Benchmark (prints figures; not a test).
  if(TEMBRA_TESTS)
    add_executable(clock_face_bench bench/FaceBench.cpp TembraClock.rc)
    tembra_target_defaults(clock_face_bench)
    target_link_libraries(clock_face_bench PRIVATE tembra_clock tembra_testmain)
  endif()
endif()
