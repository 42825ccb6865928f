# nt_add_gtest(<name> SOURCES ... LIBS ... [LABELS ...] [LOCK <resource>] [TIMEOUT <s>] [HEADLESS])
# A GoogleTest program; every TEST becomes its own CTest test. Windows programs run through the
# Wine emulator; native ones run directly under the sanitizers. HEADLESS Windows programs open no
# window on the screen and run in the prefix with Wine's null graphics driver.
include(GoogleTest)

function(nt_add_gtest name)
  cmake_parse_arguments(arg "HEADLESS" "LOCK;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  gtest_add_tests(TARGET ${name} SOURCES ${arg_SOURCES} TEST_LIST found)
  set(labels ${arg_LABELS})
  if(NT_WINDOWS)
    list(APPEND labels wine)
  else()
    list(APPEND labels native)
  endif()
  # A GTEST_SKIP counts as skipped, never as passed.
  set_tests_properties(${found} PROPERTIES LABELS "${labels}" TIMEOUT ${arg_TIMEOUT}
                       SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
  if(NT_WINDOWS AND arg_HEADLESS)
    set_tests_properties(${found} PROPERTIES ENVIRONMENT "NT_WINE_HEADLESS=1")
    list(APPEND labels headless)
    set_tests_properties(${found} PROPERTIES LABELS "${labels}")
  endif()
  if(arg_LOCK)
    set_tests_properties(${found} PROPERTIES RESOURCE_LOCK ${arg_LOCK})
  endif()
endfunction()

# nt_wine_script(<test>...): script tests that start Windows programs themselves use the Wine loader
# and prefix of this build's architecture (script/lib.sh reads NT_WINE_ARCH).
function(nt_wine_script)
  set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT NT_WINE_ARCH=${CMAKE_SYSTEM_PROCESSOR})
endfunction()
