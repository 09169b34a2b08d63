# orlu_add_test(NAME SOURCES a.cc b.cc LIBS lib1 lib2 [THREADED])
# Builds a GoogleTest executable and registers its cases with ctest.
# THREADED marks tests that exercise threads; the ThreadSanitizer run picks
# them with `ctest -L threaded`.
function(orlu_add_test name)
  cmake_parse_arguments(T "THREADED" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  # One label per test: gtest_discover_tests splits a list-valued property.
  set(label unit)
  if(T_THREADED)
    set(label threaded)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${label} TIMEOUT 300)
endfunction()
