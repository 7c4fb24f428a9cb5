#pragma once
// Fills a program folder's Data with goods and movements through the store's
// own operations, as the program would have written them: a small shop for
// the windows' tests and screenshots, and a large one for start-up timings.

#include <cstdint>
#include <string>

#include "Source/StoreData.h"

namespace vk::e2e {

// 30 goods with Cyrillic (Russian and Ukrainian) and Latin names, each with
// its first delivery and three to six more movements over the days before
// the store's clock.
void FillShop(TStore& store);

// goods products with movesPerGoods movements each (the first one the
// product's own delivery), booked in product order.
void FillLarge(TStore& store, int32_t goods, int32_t movesPerGoods);

// Opens (creating) Data in the program folder, fills it and closes it; the
// clock stands at the given time for the last movement.
void FillFolder(const std::string& programFolder, bool large, TDateTime now);

// The large shop of FillLarge in the program folder's Data, of the size given.
void FillLargeFolder(const std::string& programFolder, int32_t goods, int32_t movesPerGoods, TDateTime now);

}  // namespace vk::e2e
