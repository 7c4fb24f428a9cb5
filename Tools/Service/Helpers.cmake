# Helpers: padding and path shortening, version strings, Num Lock and keyboard
# layouts, shell contacts and the folder dialog's decisions (portable, tested
# natively); the canvas measure and the folder dialog itself (Windows only).
vk_library(vk_helpers
  ${CMAKE_CURRENT_LIST_DIR}/StringUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Version.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Keyboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Contacts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileSrvRules.cpp)
target_link_libraries(vk_helpers PUBLIC vk_core vk_platform)

if(WIN32)
  vk_library(vk_helpers_win32
    ${CMAKE_CURRENT_LIST_DIR}/StringUtilsCanvas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FileSrv.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NamSelDir.cpp)
  target_link_libraries(vk_helpers_win32 PUBLIC vk_helpers vk_gui shell32 ole32 comctl32)
endif()
