# One HTTP GET (the version check).
if(WIN32)
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/HttpGet.cpp)
  list(APPEND VK_PLATFORM_WIN32_LIBS wininet)
else()
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/posix/HttpGet.cpp)
endif()
