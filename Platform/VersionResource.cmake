# Version resource strings of program files.
if(WIN32)
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/VersionResource.cpp)
  list(APPEND VK_PLATFORM_WIN32_LIBS version)
else()
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/posix/VersionResource.cpp)
endif()
