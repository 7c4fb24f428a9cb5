# Opening programs, documents and addresses through the shell.
if(WIN32)
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/Shell.cpp)
  list(APPEND VK_PLATFORM_WIN32_LIBS shell32)
else()
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/posix/Shell.cpp)
endif()
