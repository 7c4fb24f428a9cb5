#pragma once
// The stock book's only writer of stock data: new products with their first
// delivery, incoming and outgoing movements, changes and re-pricing,
// deletions, notes, searches and totals. Every operation that changes totals
// has a validator that tries the same arithmetic first.
//
// Every operation computes all its new values before its first write and
// then changes both files as one journalled operation (Data\vorkel.jnl,
// Tables/Journal.h): whole or not at all, whatever fails and wherever the
// program or the machine stops. A failed operation leaves both tables in
// browse state, their files and memory as they were, so a product's totals
// always agree with its movements.

#include <cstdint>
#include <functional>
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
  // Whether a code, name or note comes back from the data code page as it
  // was typed into its field: false when a character would be stored as "?"
  // or as a look-alike, or when its bytes do not fit the field and some
  // letter took more than one (UTF-8), so the cut would fall inside it.
  // Where every letter is one byte the field keeps its first bytes, as the
  // entry controls' length limit expects. The operations store what they
  // are given.
  bool CanStoreText(const std::string& text, const TStringField& field) const;

  bool FindByName(const std::string& text);
  bool FindByCode(const std::string& text);
  // Display texts of the packs, quantity and value totals and the number of
  // products; EIntOverflow when a total does not fit.
  void GetTotals(std::string& count, std::string& weight, std::string& sum, std::string& goods);

  // Data folders, backup and restore (StoreDataFolders.cpp). The working
  // files lie in Data, copies in Hist\<yyyy-mm-dd> and the safety copy in
  // Hist\0000-00-00, all in the program folder. Whatever fails, a folder's
  // store.dat and moves.dat are replaced together or not at all. An operation
  // that a stop cut short in a folder is rolled back before its files are
  // used: by CheckData, Backup and SaveTo (RecoverOperation), by RestoreFrom
  // through its safety copy, and by the tables themselves when Open opens them.

  // The folder that holds Data and Hist, with its trailing delimiter; the
  // program's own unless a test set another.
  const std::string& ProgramFolder();
  void SetProgramFolder(const std::string& folder);
  // True when the named folder holds store.dat or moves.dat; missing then
  // names the one that is absent (empty when both are there).
  bool CheckData(std::string& missing, const std::string& name);
  // Opens both tables on the files of the named folder, creating what is
  // missing when asked. All or nothing: on a failure both are closed.
  void Open(bool createIfMissing, const std::string& name);
  void Close();
  bool IsOpen() const;
  // Copies Data's files into Hist\<copy name>. Without overwrite a whole
  // copy already there is kept; one that lacks a file is made again whole.
  // True when the folder then holds a checked copy of Data.
  bool Backup(const std::string& copyName, bool overwrite);
  // What the day's copy at start-up did.
  enum class TDailyCopy { Kept, Made, NotTables, Failed };
  // The day's copy into Hist\<copy name>, with the tables closed: a whole
  // copy already there is kept; otherwise Data's files are copied only when
  // they open as this store's tables, so damaged files never replace the
  // user's way back.
  TDailyCopy DailyBackup(const std::string& copyName);
  // The name of today's copy, yyyy-mm-dd by the store's clock.
  std::string DailyCopyName() const;
  // Copies the working files into an existing folder other than Data. The
  // tables are reopened on the same records; a reopen that fails leaves them
  // closed and raises once.
  bool SaveTo(const std::string& folder);
  // Replaces the working files by a folder's pair after a checked safety
  // copy; false (and Data as it was) when the folder lacks a file, is Data
  // itself, or any step fails. Files that do not open as tables are refused
  // before the safety copy is taken, so it stays as it was. Reopens as SaveTo does. Raises when an undo
  // from the safety folder changed Data and could not put it back; the
  // pre-restore pair then waits in the safety folder's tmp.
  bool RestoreFrom(const std::string& folder);
  // "0000-00-00": the safety copy into Data; "0000-00-00\tmp": the copy held
  // while restoring from the safety folder back into it; any other text: that
  // folder's pair into Data.
  bool CopyBack(const std::string& name);
  // Hist\0000-00-00 in the program folder, without a trailing delimiter.
  std::string SafetyFolder();

 private:
  struct Totals {
    uint32_t Weight;
    int32_t PCount;
    uint32_t Sum;
  };
  struct Reprice {
    int32_t RecNo;
    uint32_t NewSum;
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
  bool CanAddMove(bool incoming, const std::string& weight, const std::string& count);
  std::string ToDataCodePage(const std::string& text) const;

  // Where each table stood, to come back to after its files were closed.
  struct TablePlace {
    int32_t FileOffset = 0;
    std::string IndexName;
  };
  struct Places {
    TablePlace Goods, Moves;
  };
  Places RememberPlaces() const;
  // Opens Data again, in the remembered orders, on the remembered records
  // (on the first ones when Data holds new files).
  void Reopen(const Places& places, bool newFiles);
  void ReturnTo(TTable& table, const TablePlace& place);
  std::string FolderUnder(const std::string& name);
  // A whole pair from one folder into another; with accept, the copied pair
  // replaces the target's only when accept answers true for it, given the
  // paths of the goods and movements copies.
  using PairCheck = std::function<bool(const std::string&, const std::string&)>;
  bool CopyPair(const std::string& from, const std::string& to, const PairCheck& accept = {});
  // Whether both files open as this store's tables; the tables are closed
  // afterwards either way.
  bool OpensAsTables(const std::string& goodsFile, const std::string& movesFile);
  // Whether a folder's pair, copied beside Data, opens as this store's
  // tables; Data keeps its files either way.
  bool PairOpensAsTables(const std::string& folder);
  // Whether Data's files, those that exist, open as this store's tables.
  bool DataOpensAsTables();
  // Puts the pre-restore files back into Data; true when they are back.
  bool PutDataBack(bool fromTmp);
  void ClearTmp();
  bool SettleLeftOverTmp();
  int32_t NextGoodsIdAfterMoves() const;
  platform::FileSystem& Files() { return fs_; }
  // Rolls back an operation that a stop cut short in the folder and removes
  // its journal; false when a journal is left that could not be rolled back,
  // so the folder's files must not be copied or replaced.
  bool RecoverOperation(const std::string& folder);

  platform::FileSystem& fs_;  // the tables' file system: the folder work uses the same
  TClock clock_;
  TJournal journal_;  // both tables' operations; outlives them
  TTableStore goods_;
  TTableMoves moves_;
  TDateTime workDate_ = 0;
  uint32_t dataCodePage_ = 1251;
  std::string programFolder_;  // empty until first asked
};

// The program's one store.
TStore& Store();

}  // namespace vk
