# Files read and rewritten whole (atomically); tests use the in-memory ones.
if(WIN32)
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/TextFile.cpp)
else()
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/posix/TextFile.cpp)
endif()
list(APPEND VK_PLATFORM_FAKE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/fake/MemoryTextFiles.cpp)
