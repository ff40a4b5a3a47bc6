# Build conventions shared by every folder.
#
# The tree builds in two ways:
#  - for Windows (toolchain-mingw32.cmake): every library, the three programs and the Win32
#    tests, which CTest runs under Wine;
#  - natively (no toolchain): only the libraries that need no Win32, with their tests, under
#    AddressSanitizer and UndefinedBehaviorSanitizer.

include(GoogleTest)

option(TEMBRA_TESTS "Build the tests" ON)
option(TEMBRA_FUZZ "Build the libFuzzer programs (native, with clang)" OFF)
option(TEMBRA_WERROR "Fail the build on any warning of our own code" OFF)

set(TEMBRA_WARNINGS -Wall -Wextra)
if(TEMBRA_WERROR)
  list(APPEND TEMBRA_WARNINGS -Werror)
endif()
# Sources are UTF-8; Chinese literals become code page 936 bytes for the ANSI API in both builds.
# clang knows no other execution character set than UTF-8: the fuzz build keeps its literals
# in UTF-8, which changes none of the parsing it exercises.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(TEMBRA_CHARSET -finput-charset=UTF-8)
else()
  set(TEMBRA_CHARSET -finput-charset=UTF-8 -fexec-charset=CP936)
endif()

if(WIN32)
  add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 NOMINMAX
                          WIN32_LEAN_AND_MEAN STRICT)
  add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
else()
  # GCC's "undefined" leaves out float-to-integer overflow, which a stored date-time can cause.
  set(TEMBRA_SANITIZE -fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_compile_options(${TEMBRA_SANITIZE})
  add_link_options(${TEMBRA_SANITIZE})
  if(TEMBRA_FUZZ)
    # Coverage feedback for libFuzzer in every library; its main only in the fuzz programs.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()

function(tembra_target_defaults target)
  target_compile_options(${target} PRIVATE ${TEMBRA_WARNINGS} ${TEMBRA_CHARSET})
endfunction()

# A library of portable code (no <windows.h>): built for Windows and natively.
function(tembra_pure_library name)
  add_library(${name} STATIC ${ARGN})
  tembra_target_defaults(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# A test of portable code: native only (sanitizers), skipped in the Windows build.
function(tembra_native_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(WIN32 OR NOT TEMBRA_TESTS)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  tembra_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS native)
endfunction()

# A Win32 test run under Wine.
#   X11     needs real pixels: runs in the prefix bound to the session's Xvfb display
#   HIDPI   runs headless where the system DPI is 144 (150 %)
#   LOCK x  tests that share registry keys, windows or the mouse hold the named locks
#   PERTEST one CTest test per GoogleTest case (otherwise one per executable)
# tembra_check_test_locks() at the end of the top-level list file checks that every test
# holds the locks it was declared with.
function(tembra_win_test name)
  cmake_parse_arguments(T "X11;HIDPI;PERTEST" "TIMEOUT" "SOURCES;LIBS;LOCK" ${ARGN})
  if(NOT WIN32 OR NOT TEMBRA_TESTS)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  tembra_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} tembra_testmain)
  set(mode null)
  set(labels win)
  if(T_X11)
    set(mode x11)
    set(labels x11)
  elseif(T_HIDPI)
    set(mode hidpi)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  # Only single values go through PROPERTIES: gtest_discover_tests flattens a list there,
  # keeping its first element and dropping every property after it.
  set(props ENVIRONMENT "TEMBRA_WINE_MODE=${mode}" LABELS ${labels} TIMEOUT ${T_TIMEOUT})
  if(T_PERTEST)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
  else()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ${props})
  endif()
  if(T_LOCK)
    string(REPLACE ";" "," lock_text "${T_LOCK}")
    set_property(GLOBAL APPEND PROPERTY TEMBRA_TEST_LOCKS "${name}=${lock_text}")
    if(T_PERTEST)
      _tembra_lock_discovered_tests(${name} "${T_LOCK}")
    else()
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_LOCK}")
    endif()
  endif()
endfunction()

# The discovered tests of `target` exist only when CTest runs; a script that CTest includes
# after the discovery gives each of them the whole list of locks.
function(_tembra_lock_discovered_tests target locks)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_locks.cmake)
  file(WRITE ${script}
    "foreach(test IN LISTS ${target}_TESTS)\n"
    "  set_tests_properties(\"\${test}\" PROPERTIES RESOURCE_LOCK \"${locks}\")\n"
    "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

# A CTest test that fails when any test of a target declared with LOCK lacks one of its
# locks, as CTest itself reports them (ctest --show-only=json-v1).
function(tembra_check_test_locks)
  if(NOT WIN32 OR NOT TEMBRA_TESTS)
    return()
  endif()
  get_property(declared GLOBAL PROPERTY TEMBRA_TEST_LOCKS)  # target=lock,lock...
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME tembra_test_locks
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/framework/cmake/check-test-locks.py
            ${CMAKE_CTEST_COMMAND} ${CMAKE_BINARY_DIR} ${declared})
  set_tests_properties(tembra_test_locks PROPERTIES LABELS win)
endfunction()

# A CTest test that fails when a shipped program (bin/, and DIST_DIR and ZIP when given)
# holds the test builds' recorder of outside actions.
function(tembra_check_shipped_programs)
  cmake_parse_arguments(C "" "DIST_DIR;ZIP" "PROGRAMS" ${ARGN})
  if(NOT WIN32 OR NOT TEMBRA_TESTS)
    return()
  endif()
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(dist)
  if(C_DIST_DIR)
    set(dist --dist ${C_DIST_DIR} ${C_ZIP})
  endif()
  add_test(NAME tembra_shipped_programs
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/framework/cmake/check-shipped-programs.py
            ${CMAKE_BINARY_DIR} ${C_PROGRAMS} ${dist})
  set_tests_properties(tembra_shipped_programs PROPERTIES LABELS win)
endfunction()

# A Windows GUI program: a library holding its code, and a small entry point, in bin/ (what
# ships). With the tests comes its test build, target NAME_test: the same program with the
# recorder of outside actions linked in (framework/testing/RecordedSystemCalls.cpp), under
# the same file name in testbin/, where the tests start the programs.
function(tembra_program name)
  cmake_parse_arguments(P "" "OUTPUT_NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT P_OUTPUT_NAME)
    set(P_OUTPUT_NAME ${name})
  endif()
  set(builds ${name})
  if(TEMBRA_TESTS)
    list(APPEND builds ${name}_test)
  endif()
  foreach(target IN LISTS builds)
    add_executable(${target} WIN32 ${P_SOURCES})
    tembra_target_defaults(${target})
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${target} PRIVATE ${P_LIBS})
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${P_OUTPUT_NAME}
                          RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  endforeach()
  if(TEMBRA_TESTS)
    target_sources(${name}_test PRIVATE $<TARGET_OBJECTS:tembra_recorded_system_calls>)
    set_target_properties(${name}_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/testbin)
  endif()
endfunction()

# Fuzz targets of portable code: functions `void tembra::fuzz::NAME(const uint8_t*, size_t)`
# in SOURCES, each with its kept corpus in tests/fuzz/corpus/NAME. Natively each corpus is
# replayed by a test; with TEMBRA_FUZZ each target also gets a libFuzzer program fuzz_NAME.
function(tembra_fuzz_targets library)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS;TARGETS" ${ARGN})
  if(WIN32)
    return()
  endif()
  add_library(${library} STATIC ${F_SOURCES} ${PROJECT_SOURCE_DIR}/framework/fuzz/CorpusReplay.cpp)
  tembra_target_defaults(${library})
  target_link_libraries(${library} PUBLIC ${F_LIBS})
  foreach(target IN LISTS F_TARGETS)
    set(corpus ${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/corpus/${target})
    if(TEMBRA_TESTS)
      add_executable(fuzz_replay_${target} ${PROJECT_SOURCE_DIR}/framework/fuzz/CorpusReplayTest.cpp)
      tembra_target_defaults(fuzz_replay_${target})
      target_compile_definitions(fuzz_replay_${target} PRIVATE
        TEMBRA_FUZZ_TARGET=${target} "TEMBRA_FUZZ_CORPUS=\"${corpus}\"")
      target_link_libraries(fuzz_replay_${target} PRIVATE ${library} gtest_main)
      add_test(NAME fuzz_corpus_${target} COMMAND fuzz_replay_${target})
      set_tests_properties(fuzz_corpus_${target} PROPERTIES LABELS native)
    endif()
    if(TEMBRA_FUZZ)
      add_executable(fuzz_${target} ${PROJECT_SOURCE_DIR}/framework/fuzz/LibFuzzerEntry.cpp)
      tembra_target_defaults(fuzz_${target})
      target_compile_definitions(fuzz_${target} PRIVATE TEMBRA_FUZZ_TARGET=${target})
      target_link_libraries(fuzz_${target} PRIVATE ${library})
      target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
      set_target_properties(fuzz_${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    endif()
  endforeach()
endfunction()
