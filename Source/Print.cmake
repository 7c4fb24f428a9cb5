# The print manager and its layout over a printer interface (portable, tested
# natively); the Win32 printer behind it is Windows only.
vk_library(vk_print ${CMAKE_CURRENT_LIST_DIR}/PrintLayout.cpp ${CMAKE_CURRENT_LIST_DIR}/Print.cpp)
target_link_libraries(vk_print PUBLIC vk_texts vk_platform)
if(WIN32)
  vk_library(vk_print_win32 ${CMAKE_CURRENT_LIST_DIR}/PrintWin32.cpp)
  target_link_libraries(vk_print_win32 PUBLIC vk_print vk_gui vk_message_box_rules)
endif()
