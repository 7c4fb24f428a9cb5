# The version check: its query, due date, reply judgement and worker thread
# (portable, tested natively; the HTTP GET itself is Platform's).
vk_library(vk_version_check
  ${CMAKE_CURRENT_LIST_DIR}/VersionTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VersionTestThread.cpp)
target_link_libraries(vk_version_check PUBLIC vk_helpers vk_cfgfile vk_cardinal_date vk_windows_version vk_region_info
  vk_platform)
