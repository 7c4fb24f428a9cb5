# The grid's decisions apart from the window: column widths and the header's
# width rules, row mapping, the filtered key range, search and sort mark.
vk_library(vk_grid_logic
  ${CMAKE_CURRENT_LIST_DIR}/GridWidthChanger.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridHeaderModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataGridColumns.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataGridFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataGridSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataGridModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataGridFiltered.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataGridPainter.cpp)
target_link_libraries(vk_grid_logic PUBLIC vk_tables vk_core)
