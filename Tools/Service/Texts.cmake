# Language texts: the three languages, their loaders and the text tables.
vk_library(vk_texts
  ${CMAKE_CURRENT_LIST_DIR}/TextConst.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RusText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UkrText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EngText.cpp)
target_link_libraries(vk_texts PUBLIC vk_core)
# Each language lists every text by name; one left out must not build.
target_compile_options(vk_texts PRIVATE -Werror=missing-field-initializers)
