#include "Source/GoodsCode.h"

#include "Core/Checked.h"

namespace vk {

std::string NextGoodsCode(int32_t nextKey, uint32_t nuls, int32_t delta) {
  int64_t number = nextKey;
  std::string code;
  if (nuls <= 1) {
    code = std::to_string(number);
  } else {
    const int32_t shifted = CheckedAdd(delta, nextKey);
    if (shifted > 0) number = shifted;
    code = std::to_string(number);
    if (code.size() < nuls) code.insert(0, nuls - code.size(), '0');
  }
  // A longer code would be cut by the field and could repeat another's.
  return code.size() > kGoodsCodeLength ? std::string() : code;
}

}  // namespace vk
