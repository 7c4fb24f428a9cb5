# Instance search: the title and window-choice rules are portable (tested
# natively); the search and the instance messages are Windows only.
vk_library(vk_instance_rules ${CMAKE_CURRENT_LIST_DIR}/AppSelectRules.cpp)
target_link_libraries(vk_instance_rules PUBLIC vk_core vk_platform)

if(WIN32)
  vk_library(vk_instance_search ${CMAKE_CURRENT_LIST_DIR}/AppSelect.cpp)
  target_link_libraries(vk_instance_search PUBLIC vk_instance_rules vk_gui)
endif()
