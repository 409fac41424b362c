# Helpers that keep the per-folder CMake files short: a module is every .cpp of
# its folders except the *_test.cpp files, which form the module's test program.

# tarnvelock_sources(<out-var> <dir>...) collects the non-test sources of dirs.
function(tarnvelock_sources out)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(FILTER found EXCLUDE REGEX "_test\\.cpp$")
    list(APPEND result ${found})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# tarnvelock_tests(<target> <dir>... LIBS <lib>...) builds the *_test.cpp files
# of dirs into one GoogleTest program and registers its tests with CTest.
function(tarnvelock_tests target)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  if(NOT TARNVELOCK_TESTS)
    return()
  endif()
  set(tests)
  foreach(dir IN LISTS ARG_UNPARSED_ARGUMENTS)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*_test.cpp)
    # Tests of one system's implementation end in _posix_test or _win32_test.
    if(WIN32)
      list(FILTER found EXCLUDE REGEX "_posix_test\\.cpp$")
    else()
      list(FILTER found EXCLUDE REGEX "_win32_test\\.cpp$")
    endif()
    list(APPEND tests ${found})
  endforeach()
  if(NOT tests)
    return()
  endif()
  add_executable(${target} ${tests})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main
    GTest::gmock tarnvelock_warnings)
  target_compile_definitions(${target} PRIVATE
    TARNVELOCK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  tarnvelock_register_tests(${target})
endfunction()

# tarnvelock_register_tests(<target> [PROPERTIES ...]) makes the tests of a
# GoogleTest program known to CTest: each test on its own where the program
# runs here, the whole program as one test when it needs an emulator (a
# Windows build run under Wine, where listing the tests would cost a start).
function(tarnvelock_register_tests target)
  cmake_parse_arguments(ARG "" "" "PROPERTIES" ${ARGN})
  set(environment "TARNVELOCK_BUILD_DIR=${CMAKE_BINARY_DIR}")
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES ENVIRONMENT "${environment}" ${ARG_PROPERTIES})
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "${environment}" ${ARG_PROPERTIES})
  endif()
endfunction()
