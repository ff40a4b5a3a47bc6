# Run by CTest after the discovered tests of clock_events_tests are defined.
foreach(test IN LISTS clock_events_tests_TESTS)
  set_tests_properties("${test}" PROPERTIES RESOURCE_LOCK "clock_window;clock_process")
endforeach()
