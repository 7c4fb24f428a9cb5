# Version classes, packed dates and the region (code pages, the locale's date
# formats): the shared services the settings build on.
vk_library(vk_cardinal_date ${CMAKE_CURRENT_LIST_DIR}/CardinalDate.cpp)
target_link_libraries(vk_cardinal_date PUBLIC vk_core)

vk_library(vk_windows_version ${CMAKE_CURRENT_LIST_DIR}/WindowsVersion.cpp)
target_link_libraries(vk_windows_version PUBLIC vk_platform)

vk_library(vk_region_info ${CMAKE_CURRENT_LIST_DIR}/RegionInfo.cpp ${CMAKE_CURRENT_LIST_DIR}/LocaleFormatSettings.cpp)
target_link_libraries(vk_region_info PUBLIC vk_windows_version vk_platform)
