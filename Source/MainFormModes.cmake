# The main window's edit modes and posting, apart from the window: the mode
# policy and the controller over the window's view interface (portable,
# tested natively).
vk_library(vk_main_form_modes
  ${CMAKE_CURRENT_LIST_DIR}/MainFormModes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormEditModes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormPosting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormDeletes.cpp)
target_link_libraries(vk_main_form_modes PUBLIC vk_store vk_texts vk_message_box_rules)
