#pragma once
// The columns the main window gives its goods grid and its moves grid, with
// their designed widths; shared by the grid window tests and benchmarks.

#include <vector>

#include "Source/StoreDataTables.h"
#include "Tools/LocalDbCtrls/DataGridColumns.h"

namespace vk {

// The goods grid's seven columns and the moves grid's five, with their
// designed widths.
inline std::vector<TDataColumn> GoodsColumns(TTableStore& g) {
  return {MakeDataColumn(1, taLeftJustify, 55, "Код", &g.IndCode, 8),
          MakeDataColumn(2, taLeftJustify, 145, "Наименование", &g.IndName, 40),
          MakeDataColumn(5, taRightJustify, 60, "Цена", &g.IndCost, 0),
          MakeDataColumn(7, taCenter, 70, "Дата", &g.IndDate, 0),
          MakeDataColumn(4, taRightJustify, 60, "Кол-во", &g.IndWeight, 0),
          MakeDataColumn(3, taRightJustify, 45, "Упак", &g.IndPock, 0),
          MakeDataColumn(6, taRightJustify, 85, "Сумма", &g.IndSum, 0)};
}

inline std::vector<TDataColumn> MovesColumns() {
  return {MakeDataColumn(2, taCenter, 65, "Дата", nullptr, 0), MakeDataColumn(3, taCenter, 38, "Дв", nullptr, 0),
          MakeDataColumn(5, taRightJustify, 42, "Кол-во", nullptr, 0),
          MakeDataColumn(4, taRightJustify, 35, "Упак", nullptr, 0),
          MakeDataColumn(7, taRightJustify, 65, "Сумма", nullptr, 0)};
}

}  // namespace vk
