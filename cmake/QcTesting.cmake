# qc_add_test(<name> SOURCES <files...> [LIBS <libs...>] [LABELS <labels...>])
# One GoogleTest executable is one CTest entry: under Wine, starting a process
# costs far more than the tests inside it.
function(qc_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  if(NOT WIN32)
    target_link_libraries(${name} PRIVATE Threads::Threads)
  endif()
  add_test(NAME ${QC_TEST_PREFIX}${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set_tests_properties(${QC_TEST_PREFIX}${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}")
  if(WIN32)
    # A build's Windows programs share one virtual display, and its focus and
    # capture: a dialog of one test would lose its focus to another test's
    # window. The other build has a display of its own.
    set_tests_properties(${QC_TEST_PREFIX}${name} PROPERTIES RESOURCE_LOCK ${QC_WINE_DISPLAY_LOCK})
  endif()
endfunction()
