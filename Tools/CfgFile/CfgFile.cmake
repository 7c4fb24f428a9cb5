# Configuration parameters, their stores and the program settings.
vk_library(vk_cfgfile
  ${CMAKE_CURRENT_LIST_DIR}/MemIniFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniFileEncoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BaseOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CfgParams.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SecurityOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Options.cpp)
target_link_libraries(vk_cfgfile PUBLIC vk_cardinal_date vk_region_info vk_platform vk_core)
