# The file facility: the system's files, plus an in-memory, a fault-injecting
# and a power-cut file system for tests.
if(WIN32)
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/Win32File.cpp)
else()
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/posix/PosixFile.cpp)
endif()
list(APPEND VK_PLATFORM_FAKE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/fake/MemoryFileSystem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fake/FaultyFileSystem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fake/PowerCutFileSystem.cpp)
