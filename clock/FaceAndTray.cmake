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
  target_link_libraries(tembra_clock PUBLIC tembra_clock_face_core)
endif()
