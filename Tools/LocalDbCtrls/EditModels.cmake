# The entry controls' editing rules apart from the windows: the money and date
# edits as models over (text, selection, key).
vk_library(vk_edit_models
  ${CMAKE_CURRENT_LIST_DIR}/MoneyEditModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DateEditModel.cpp)
target_link_libraries(vk_edit_models PUBLIC vk_core)
