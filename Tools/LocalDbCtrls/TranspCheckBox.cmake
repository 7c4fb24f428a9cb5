# The setup wizard's check box that shows the picture behind it. Windows only.
if(WIN32)
  vk_library(vk_transp_check_box ${CMAKE_CURRENT_LIST_DIR}/TranspCheckBox.cpp)
  target_link_libraries(vk_transp_check_box PUBLIC vk_gui)
endif()
