# Window look: the band colours and decisions (portable, tested natively) and
# the painter with the window protocol (Windows only).
vk_library(vk_window_look_rules
  ${CMAKE_CURRENT_LIST_DIR}/GlassGradienterColors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GlassGradienterDecisions.cpp)
target_link_libraries(vk_window_look_rules PUBLIC vk_windows_version)

if(WIN32)
  vk_library(vk_window_look
    ${CMAKE_CURRENT_LIST_DIR}/GlassGradienterDwm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GlassGradienter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GlassGradienterBand.cpp)
  target_link_libraries(vk_window_look PUBLIC vk_window_look_rules vk_gui vk_windows_version)
endif()
