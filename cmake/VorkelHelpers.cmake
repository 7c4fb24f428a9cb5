# vk_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [WINDOWS_ONLY] [NATIVE_ONLY])
# One GoogleTest program registered as one CTest test. Under the cross build the
# test runs through CMAKE_CROSSCOMPILING_EMULATOR (Wine, see cmake/wine-run.sh).
function(vk_add_test)
  cmake_parse_arguments(T "WINDOWS_ONLY;NATIVE_ONLY" "NAME" "SOURCES;LIBS" ${ARGN})
  if(T_WINDOWS_ONLY AND NOT WIN32)
    return()
  endif()
  if(T_NATIVE_ONLY AND WIN32)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 600)
  if(WIN32)
    set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED wineprefix)
  endif()
  if(T_WINDOWS_ONLY)
    # Windows of two test programs on one display fight over activation and
    # focus: the Win32-only tests take turns.
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK wine_desktop)
  endif()
endfunction()

# vk_locale_test(<test> <lang> <filter> [NAME=value...]) runs the test program
# again as <test>_<xx> under the locale <lang> (Wine follows LANG, and so does
# the posix layer), only the tests the filter names, with the variables that
# say what to expect. Wine does not hand variables named VK_* on to Windows
# programs, hence VORKEL_*; a skipped test means one got lost, so it fails.
#
# Under Wine each locale runs in a prefix of its own: Wine keeps the user's
# locale settings (list separator, date formats) in the prefix's registry and
# rewrites them whenever a process of another LANG starts, so runs of two
# locales side by side in one prefix would read each other's.
function(vk_locale_test test lang filter)
  string(SUBSTRING ${lang} 0 2 short)
  add_test(NAME ${test}_${short} COMMAND ${test} --gtest_filter=${filter})
  set(environment "LANG=${lang};LC_ALL=${lang};${ARGN}")
  if(WIN32)
    vk_wine_locale_fixture(${lang} ${short})
    list(APPEND environment VK_BUILD_DIR=${CMAKE_BINARY_DIR}/locale-${short})
  endif()
  set_tests_properties(${test}_${short} PROPERTIES
    ENVIRONMENT "${environment}" TIMEOUT 600 FAIL_REGULAR_EXPRESSION "SKIPPED \\]")
  if(WIN32)
    set_tests_properties(${test}_${short} PROPERTIES FIXTURES_REQUIRED wineprefix_${short})
  endif()
endfunction()

# Boots the prefix of one locale once, before the tests of that locale.
function(vk_wine_locale_fixture lang short)
  get_property(booted GLOBAL PROPERTY VK_WINE_LOCALE_${short})
  if(booted)
    return()
  endif()
  set_property(GLOBAL PROPERTY VK_WINE_LOCALE_${short} TRUE)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/locale-${short})
  add_test(NAME wineprefix_boot_${short}
           COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-boot.sh ${VK_WINE_BITS} ${CMAKE_BINARY_DIR}/locale-${short})
  set_tests_properties(wineprefix_boot_${short} PROPERTIES FIXTURES_SETUP wineprefix_${short} TIMEOUT 300
                       ENVIRONMENT "LANG=${lang};LC_ALL=${lang}")
endfunction()

# Boots the build tree's own Wine prefix once, before any test uses it, so
# parallel tests do not race to create it.
function(vk_wine_fixture)
  if(NOT WIN32)
    return()
  endif()
  add_test(NAME wineprefix_boot COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-boot.sh ${VK_WINE_BITS} ${CMAKE_BINARY_DIR})
  set_tests_properties(wineprefix_boot PROPERTIES FIXTURES_SETUP wineprefix TIMEOUT 300)
endfunction()

# vk_library(<name> <sources...>) — a static library of the portable core or a
# platform layer, with the repository root on its include path.
function(vk_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# vk_shipped_program(<target>): a program that is shipped (or carried by the
# setup) is linked without its symbol table outside Debug builds; the test
# programs keep theirs.
function(vk_shipped_program target)
  target_link_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-s>)
endfunction()
