# Num Lock and keyboard layouts.
if(WIN32)
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/Keyboard.cpp)
else()
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/posix/Keyboard.cpp)
endif()
