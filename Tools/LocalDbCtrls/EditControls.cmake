# The entry controls themselves: windows over Gui/ that drive the editing
# models. Windows only.
if(WIN32)
  vk_library(vk_edit_controls
    ${CMAKE_CURRENT_LIST_DIR}/LocalDbEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/IntEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MoneyEdit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DateEdit.cpp)
  target_link_libraries(vk_edit_controls PUBLIC vk_edit_models vk_gui)
endif()
