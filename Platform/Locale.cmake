# Locale comparison of texts, the locale's date and time formats and number
# separators, and the wall clock.
if(WIN32)
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/Locale.cpp ${CMAKE_CURRENT_LIST_DIR}/win32/LocaleDateTime.cpp
       ${CMAKE_CURRENT_LIST_DIR}/win32/LocaleSeparators.cpp ${CMAKE_CURRENT_LIST_DIR}/win32/Clock.cpp)
else()
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/posix/Locale.cpp ${CMAKE_CURRENT_LIST_DIR}/posix/LocaleDateTime.cpp
       ${CMAKE_CURRENT_LIST_DIR}/posix/LocaleSeparators.cpp ${CMAKE_CURRENT_LIST_DIR}/posix/Clock.cpp)
endif()
