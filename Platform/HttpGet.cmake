# One HTTP GET (the version check): the reply's parser is portable, the
# sockets are the platform's.
list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/HttpReplyParse.cpp)
if(WIN32)
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/HttpGet.cpp)
  list(APPEND VK_PLATFORM_WIN32_LIBS ws2_32)
else()
  list(APPEND VK_PLATFORM_SOURCES ${CMAKE_CURRENT_LIST_DIR}/posix/HttpGet.cpp)
endif()
