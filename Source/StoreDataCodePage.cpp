#include "Source/StoreDataCodePage.h"

namespace vk {

void ApplyDataCodePageSetting(TStore& store, TProgOptions& options) {
  store.SetDataCodePage(options.GetBaseCodePage());
}

}  // namespace vk
