# The small dialogs and the about window: their decisions are portable (tested
# natively), the windows Windows only.
vk_library(vk_dialog_rules ${CMAKE_CURRENT_LIST_DIR}/DialogRules.cpp)
target_link_libraries(vk_dialog_rules PUBLIC vk_security)

if(WIN32)
  vk_library(vk_dialogs
    ${CMAKE_CURRENT_LIST_DIR}/PasswordForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PassChangeForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DateChangeForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AboutForm.cpp)
  target_link_libraries(vk_dialogs PUBLIC vk_dialog_rules vk_version_check vk_message_box vk_window_look
    vk_edit_controls vk_instance_search vk_store vk_texts vk_helpers_win32 vk_security vk_cfgfile vk_gui)
endif()
