#pragma once
// The stock book's only writer of stock data: new products with their first
// delivery, incoming and outgoing movements, changes and re-pricing,
// deletions, notes, searches and totals. Every operation that changes totals
// has a validator that tries the same arithmetic first.
//
// Every two-table operation computes all its new values before its first
// write; when a write fails it cancels the open edit and undoes what it had
// written, so both tables are left in browse state and a product's totals
// always agree with its movements.

#include <cstdint>
#include <string>

#include "Platform/File.h"
#include "Source/StoreDataTables.h"

namespace vk {

class TStore {
 public:
  explicit TStore(platform::FileSystem& fs = platform::DefaultFileSystem(), TClock clock = nullptr);
  TStore(const TStore&) = delete;
  TStore& operator=(const TStore&) = delete;

  // The main window's edit mode (0 browse .. 9 busy); kept here, read by all.
  uint8_t Mode = 0;

  // The date new movements are booked under; 0 means today.
  TDateTime WorkDate() const { return workDate_; }
  // Today's date (at any time) and 0 clear it; another day is kept as its date.
  void SetWorkDate(TDateTime value);
  TDateTime MoveDateTime() const;
  int MoveMonth() const;
  TDateTime Now() const { return clock_(); }

  TTableStore& Goods() { return goods_; }
  TTableMoves& Moves() { return moves_; }

  // The code page of the stored names, notes and codes (BaseCodePage).
  uint32_t DataCodePage() const { return dataCodePage_; }
  void SetDataCodePage(uint32_t codePage);

  void AddGoods(const std::string& code, const std::string& name, const std::string& price, const std::string& weight,
                const std::string& count, const std::string& note);
  void AddIncoming(const std::string& weight, const std::string& count, const std::string& note);
  void AddOutgoing(const std::string& weight, const std::string& count, const std::string& note);
  void EditGoods(const std::string& code, const std::string& name, const std::string& price);
  void DeleteGoods();
  void DeleteMove();
  void EditNote(const std::string& note);

  bool CanAddGoods(const std::string& price, const std::string& weight, const std::string& count);
  bool CanAddIncoming(const std::string& weight, const std::string& count);
  bool CanAddOutgoing(const std::string& weight, const std::string& count);
  bool CanReprice(const std::string& price);
  bool CanDeleteMove(bool& isIncoming);

  bool FindByName(const std::string& text);
  bool FindByCode(const std::string& text);
  // Display texts of the packs, quantity and value totals and the number of
  // products; EIntOverflow when a total does not fit.
  void GetTotals(std::string& count, std::string& weight, std::string& sum, std::string& goods);

 private:
  struct Totals {
    uint32_t Weight;
    int32_t PCount;
    uint32_t Sum;
  };
  struct Reprice {
    int32_t RecNo;
    uint32_t OldCost, OldSum, NewSum;
  };

  void AddMove(bool incoming, const std::string& weight, const std::string& count, const std::string& note);
  void AppendMove(int32_t idStore, TDateTime when, bool incoming, uint32_t cost, uint32_t weight, int32_t count,
                  const std::string& note, uint32_t sum);
  void WriteGoodsTotals(const Totals& totals, TDateTime lastDate);
  // Positions the movements on the first movement of the product.
  void FirstMoveOf(int32_t idStore);
  bool MoveBelongsTo(int32_t row, int32_t idStore) const;
  // The re-priced movements of the current product and their signed total;
  // raises before anything is written when a sum does not fit.
  std::vector<Reprice> PlanReprice(uint32_t price, int64_t& total);
  void RestorePrices(const std::vector<Reprice>& done);
  bool CanAddMove(bool incoming, const std::string& weight, const std::string& count);
  std::string ToDataCodePage(const std::string& text) const;

  TClock clock_;
  TTableStore goods_;
  TTableMoves moves_;
  TDateTime workDate_ = 0;
  uint32_t dataCodePage_ = 1251;
};

// The program's one store.
TStore& Store();

}  // namespace vk
