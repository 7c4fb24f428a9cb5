# The current user's registry; tests use the in-memory one.
if(WIN32)
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/Registry.cpp)
  list(APPEND VK_PLATFORM_WIN32_LIBS advapi32 shlwapi)
else()
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/posix/Registry.cpp)
endif()
list(APPEND VK_PLATFORM_FAKE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/fake/MemoryRegistry.cpp)
