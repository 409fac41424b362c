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
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "TARNVELOCK_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()
