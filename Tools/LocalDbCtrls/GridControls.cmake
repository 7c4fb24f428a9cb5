# The grid windows over Gui/; Windows only.
if(WIN32)
  vk_library(vk_grid_controls ${CMAKE_CURRENT_LIST_DIR}/DataGrid.cpp ${CMAKE_CURRENT_LIST_DIR}/GridHeader.cpp)
  target_link_libraries(vk_grid_controls PUBLIC vk_grid_logic vk_gui vk_windows_version comctl32)
endif()
