// The store's data folders: checking, opening and closing the working files,
// the daily and safety copies in Hist, saving to and restoring from a folder.
//
// Rules the code below keeps, whatever step fails:
// - a folder's store.dat and moves.dat are replaced together or not at all
//   (CopyAsOne);
// - a restore touches nothing until the chosen folder is known to hold both
//   files and not to be Data, and Data to hold both; it refreshes the safety
//   copy only once the chosen files are known to open as tables, changes Data
//   only once a checked safety copy exists, and answers false only with Data
//   as it was before;
// - while restoring from the safety folder itself, the pre-restore files
//   wait in its tmp subfolder until they are safe in their new place, and a
//   tmp holding a whole pair is never overwritten or cleared before that;
// - a replacement that a stop of the program cut short is finished on the
//   folder's next use, before anything looks at its files;
// - no file comes into Data while a journal that is not durably empty or
//   absent lies there (CopyPair).

#include <cstring>
#include <limits>

#include "Core/SysUtils.h"
#include "Platform/ProgramFolder.h"
#include "Source/StoreData.h"
#include "Source/StoreDataFoldersCopy.h"
#include "Source/StoreDataFoldersPaths.h"
#include "Tools/Service/TextConst.h"

namespace vk {
namespace {

constexpr const char* kDataFolder = "Data";
constexpr const char* kHistFolder = "Hist";
constexpr const char* kSafetyName = "0000-00-00";
constexpr const char* kTmpName = "tmp";
constexpr const char* kSafetyTmpName = "0000-00-00\\tmp";
constexpr const char* kGoodsFile = "store.dat";
constexpr const char* kMovesFile = "moves.dat";

// The pair of a folder as pieces to copy; an absent file goes from the target too.
std::vector<TCopyPiece> PairOf(platform::FileSystem& fs, const std::string& folder) {
  std::vector<TCopyPiece> pieces;
  for (const char* name : {kGoodsFile, kMovesFile}) {
    const std::string path = JoinPath(folder, name);
    pieces.push_back({fs.FileExists(path) ? path : std::string(), name});
  }
  return pieces;
}

bool HoldsPair(platform::FileSystem& fs, const std::string& folder) {
  return fs.FileExists(JoinPath(folder, kGoodsFile)) && fs.FileExists(JoinPath(folder, kMovesFile));
}

// A replacement of the folder's pair that a stop of the program cut short is
// finished before anyone looks at the folder. Best effort: what cannot be
// finished now is tried again on the next look.
void FinishInterrupted(platform::FileSystem& fs, const std::string& folder) {
  if (fs.FolderExists(folder)) FinishInterruptedCopy(fs, folder, {kGoodsFile, kMovesFile});
}

bool SamePair(platform::FileSystem& fs, const std::string& a, const std::string& b) {
  return SameBytes(fs, JoinPath(a, kGoodsFile), JoinPath(b, kGoodsFile)) &&
         SameBytes(fs, JoinPath(a, kMovesFile), JoinPath(b, kMovesFile));
}

}  // namespace

const std::string& TStore::ProgramFolder() {
  if (programFolder_.empty()) programFolder_ = platform::ProgramFolder();
  return programFolder_;
}

void TStore::SetProgramFolder(const std::string& folder) { programFolder_ = folder; }

std::string TStore::FolderUnder(const std::string& name) { return JoinPath(ProgramFolder(), name); }

std::string TStore::SafetyFolder() { return JoinPath(FolderUnder(kHistFolder), kSafetyName); }

bool TStore::CheckData(std::string& missing, const std::string& name) {
  missing.clear();
  const std::string folder = FolderUnder(name);
  if (!Files().FolderExists(folder)) return false;
  RecoverOperation(folder);  // one that stays makes Open refuse the files
  FinishInterrupted(Files(), folder);
  const bool goods = Files().FileExists(JoinPath(folder, kGoodsFile));
  const bool moves = Files().FileExists(JoinPath(folder, kMovesFile));
  if (!goods && !moves) return false;
  if (!goods) missing = kGoodsFile;
  if (!moves) missing += (missing.empty() ? "" : "\r\n") + std::string(kMovesFile);
  return true;
}

void TStore::Open(bool createIfMissing, const std::string& name) {
  Close();
  const std::string folder = FolderUnder(name);
  if (!Files().FolderExists(folder)) {
    if (!createIfMissing) throw Exception(ProgTexts.DataFolderNotFound);
    Files().CreateFolder(folder);  // not checked: opening the files tells
  }
  FinishInterrupted(Files(), folder);
  try {
    goods_.SetFileName(JoinPath(folder, kGoodsFile));
    moves_.SetFileName(JoinPath(folder, kMovesFile));
    // A new goods table beside live movements must not hand their product
    // numbers to new products: its counter starts past them.
    const bool newGoodsBesideMoves =
        createIfMissing && !Files().FileExists(goods_.FileName()) && Files().FileExists(moves_.FileName());
    if (newGoodsBesideMoves) {
      moves_.Open(createIfMissing);
      moves_.First();
      goods_.ID.SetNextKeyValue(NextGoodsIdAfterMoves());
    }
    goods_.Open(createIfMissing);
    goods_.First();
    if (!newGoodsBesideMoves) {
      moves_.Open(createIfMissing);
      moves_.First();
    }
  } catch (...) {
    Close();
    throw;
  }
}

int32_t TStore::NextGoodsIdAfterMoves() const {
  int32_t highest = 0;
  for (int32_t row = 0; row < moves_.RecordCount(); ++row) {
    int32_t idStore;
    std::memcpy(&idStore, moves_.CellData(row, 1), sizeof idStore);
    highest = std::max(highest, idStore);
  }
  return highest == std::numeric_limits<int32_t>::max() ? highest : highest + 1;
}

void TStore::Close() {
  if (goods_.State() != tsClosed) goods_.Close();
  if (moves_.State() != tsClosed) moves_.Close();
}

bool TStore::IsOpen() const { return goods_.State() != tsClosed && moves_.State() != tsClosed; }

std::string TStore::DailyCopyName() const { return FormatDateTime("yyyy-mm-dd", clock_(), EnglishFormatSettings()); }

bool TStore::Backup(const std::string& copyName, bool overwrite) {
  // Never a copy of files an operation was cut short in.
  if (!RecoverOperation(FolderUnder(kDataFolder))) return false;
  const std::string hist = FolderUnder(kHistFolder);
  const std::string target = JoinPath(hist, copyName);
  if (!Files().CreateFolder(hist) || !Files().CreateFolder(target)) return false;
  // A whole copy of the day stays as it was taken; a copy that lost a file
  // is taken again whole, never completed from later files.
  FinishInterrupted(Files(), target);
  if (!overwrite && HoldsPair(Files(), target)) return true;
  FinishInterrupted(Files(), FolderUnder(kDataFolder));
  std::vector<TCopyPiece> pieces = PairOf(Files(), FolderUnder(kDataFolder));
  if (pieces[0].Source.empty() && pieces[1].Source.empty()) return false;
  return CopyAsOne(Files(), pieces, target);
}

TStore::TDailyCopy TStore::DailyBackup(const std::string& copyName) {
  const std::string target = JoinPath(FolderUnder(kHistFolder), copyName);
  FinishInterrupted(Files(), target);
  if (HoldsPair(Files(), target)) return TDailyCopy::Kept;
  if (!DataOpensAsTables()) return TDailyCopy::NotTables;
  return Backup(copyName, false) ? TDailyCopy::Made : TDailyCopy::Failed;
}

bool TStore::DataOpensAsTables() {
  const std::string data = FolderUnder(kDataFolder);
  FinishInterrupted(Files(), data);
  Close();
  bool opens = true;
  try {
    goods_.SetFileName(JoinPath(data, kGoodsFile));
    moves_.SetFileName(JoinPath(data, kMovesFile));
    if (Files().FileExists(goods_.FileName())) goods_.Open(false);
    if (Files().FileExists(moves_.FileName())) moves_.Open(false);
  } catch (const Exception&) {
    opens = false;
  }
  Close();
  return opens;
}

bool TStore::CopyPair(const std::string& from, const std::string& to, const PairCheck& accept) {
  FinishInterrupted(Files(), from);
  if (!HoldsPair(Files(), from)) return false;
  // Data's journal durably settled first: a journal a power cut could bring
  // back would be rolled into the files that come in.
  if (Files().SameFolder(to, FolderUnder(kDataFolder)) && !RecoverOperation(to)) return false;
  TFreshCheck check;
  if (accept) check = [&accept](const std::vector<std::string>& fresh) { return accept(fresh[0], fresh[1]); };
  return CopyAsOne(Files(), PairOf(Files(), from), to, check);
}

bool TStore::OpensAsTables(const std::string& goodsFile, const std::string& movesFile) {
  Close();
  bool opens = true;
  try {
    goods_.SetFileName(goodsFile);
    moves_.SetFileName(movesFile);
    goods_.Open(false);
    moves_.Open(false);
  } catch (...) {
    // Whatever stops them loading (damage, another layout, files larger
    // than the memory) means they do not open.
    opens = false;
  }
  BestEffort([this] { Close(); });
  return opens;
}

bool TStore::PairOpensAsTables(const std::string& folder) {
  // Opened as copies beside Data, never in place: the chosen files may be
  // read-only, or have a journal beside them that is not theirs.
  bool opens = false;
  CopyPair(folder, FolderUnder(kDataFolder), [&](const std::string& goods, const std::string& moves) {
    opens = OpensAsTables(goods, moves);
    return false;  // a trial: the copies go again
  });
  return opens;
}

bool TStore::CopyBack(const std::string& name) {
  if (SameRelativeName(name, kSafetyName)) return CopyPair(SafetyFolder(), FolderUnder(kDataFolder));
  if (SameRelativeName(name, kSafetyTmpName)) {
    if (!CopyPair(JoinPath(SafetyFolder(), kTmpName), SafetyFolder())) return false;
    ClearTmp();
    return true;
  }
  return CopyPair(name, FolderUnder(kDataFolder));
}

// A whole pair in tmp is the state from before a restore from the safety
// folder that could not finish; unless Data holds it anyway, it is the only
// copy of that state and goes into the safety folder before anything may
// replace tmp. False when it could not be moved.
bool TStore::SettleLeftOverTmp() {
  const std::string tmp = JoinPath(SafetyFolder(), kTmpName);
  if (!HoldsPair(Files(), tmp)) return true;
  if (SamePair(Files(), tmp, FolderUnder(kDataFolder))) {
    ClearTmp();
    return true;
  }
  return CopyBack(kSafetyTmpName);
}

// Only for a tmp whose pair is safe elsewhere. Best effort: what is left is
// replaced by the next restore from the safety folder.
void TStore::ClearTmp() {
  const std::string tmp = JoinPath(SafetyFolder(), kTmpName);
  for (const char* name : {kGoodsFile, kMovesFile}) {
    if (Files().FileExists(JoinPath(tmp, name))) Files().DeleteFile(JoinPath(tmp, name));
  }
  DeleteCopyLeftovers(Files(), tmp, {kGoodsFile, kMovesFile});
  DropReplacingMarker(Files(), tmp);
  if (Files().FolderExists(tmp)) Files().RemoveFolder(tmp);
}

bool TStore::PutDataBack(bool fromTmp) {
  const std::string source = fromTmp ? JoinPath(SafetyFolder(), kTmpName) : SafetyFolder();
  if (!CopyPair(source, FolderUnder(kDataFolder))) return false;
  if (fromTmp) ClearTmp();
  return true;
}

TStore::Places TStore::RememberPlaces() const {
  return {{goods_.CurrentFileOffset(), goods_.IndexName()}, {moves_.CurrentFileOffset(), moves_.IndexName()}};
}

// The index by its name (through the table's own SetIndex, so goods keep
// their ID order among equal keys), then the record; a place that no longer
// exists leaves the table on its first record of that order.
void TStore::ReturnTo(TTable& table, const TablePlace& place) {
  try {
    for (TIndex* index : table.Indexes()) {
      if (SameRelativeName(index->Name(), place.IndexName)) table.SetIndex(index);
    }
    if (place.FileOffset != 0) table.GotoFileOffset(place.FileOffset);
  } catch (const Exception&) {
    table.First();
  }
}

void TStore::Reopen(const Places& places, bool newFiles) {
  try {
    Open(false, kDataFolder);
  } catch (...) {
    // Open closed both tables: the program must not go on with one of them.
    throw Exception(ProgTexts.DataOpeningError);
  }
  // Positions in other files mean nothing: new files keep only the orders.
  ReturnTo(goods_, {newFiles ? 0 : places.Goods.FileOffset, places.Goods.IndexName});
  ReturnTo(moves_, {newFiles ? 0 : places.Moves.FileOffset, places.Moves.IndexName});
  if (newFiles) {
    goods_.First();
    moves_.First();
  }
}

bool TStore::SaveTo(const std::string& folder) {
  const std::string data = FolderUnder(kDataFolder);
  if (!Files().FolderExists(folder) || Files().SameFolder(folder, data)) return false;
  FinishInterrupted(Files(), data);
  const Places places = RememberPlaces();
  const std::string goodsFile = goods_.FileName().empty() ? JoinPath(data, kGoodsFile) : goods_.FileName();
  const std::string movesFile = moves_.FileName().empty() ? JoinPath(data, kMovesFile) : moves_.FileName();
  Close();
  const bool saved = RecoverOperation(data) && Files().FileExists(goodsFile) && Files().FileExists(movesFile) &&
                     CopyAsOne(Files(), {{goodsFile, kGoodsFile}, {movesFile, kMovesFile}}, folder);
  Reopen(places, false);
  return saved;
}

bool TStore::RestoreFrom(const std::string& folder) {
  const std::string from = ExcludeTrailingDelimiter(folder);
  const std::string data = FolderUnder(kDataFolder);
  for (const std::string& place : {from, data, SafetyFolder(), JoinPath(SafetyFolder(), kTmpName)}) {
    FinishInterrupted(Files(), place);
  }
  // A mistaken choice changes nothing, least of all the safety copy; nor does
  // a Data without both files, whose state no safety copy could hold whole.
  if (!HoldsPair(Files(), from) || Files().SameFolder(from, data) || !HoldsPair(Files(), data)) return false;
  const bool fromSafety = Files().SameFolder(from, SafetyFolder());

  const Places places = RememberPlaces();
  Close();
  bool restored = false;
  if (fromSafety && !SettleLeftOverTmp()) {
    // tmp still holds the only copy of an earlier state: it stays as it is.
  } else if (!PairOpensAsTables(from)) {
    // Refused before the safety copy: it stays the user's way back.
  } else if (!Backup(fromSafety ? kSafetyTmpName : kSafetyName, true)) {
    if (fromSafety) ClearTmp();
  } else if (!CopyPair(from, data, [this](const std::string& goods, const std::string& moves) {
               // Checked again: the chosen files may have changed since.
               return OpensAsTables(goods, moves);
             })) {
    PutDataBack(fromSafety);
  } else if (fromSafety && !CopyBack(kSafetyTmpName)) {
    // The safety folder kept its files (the ones now in Data too); the
    // pre-restore files go back to Data from tmp.
    if (!PutDataBack(true)) {
      // Data holds the safety pair, whole; the pre-restore pair waits in tmp
      // for the next restore from the safety folder. Not a plain failure:
      // Data did change.
      Reopen(places, true);
      throw Exception(ProgTexts.RestoreFailed + "\r\n" + JoinPath(SafetyFolder(), kTmpName));
    }
  } else {
    restored = true;
  }
  if (restored) {
    try {
      Open(false, kDataFolder);
      Close();
    } catch (...) {
      // Checked before they came in, so only a disk fault gets here; one
      // retry of the roll-back outlasts a passing fault.
      Close();
      restored = false;
      if (!CopyBack(kSafetyName)) CopyBack(kSafetyName);
    }
  }
  Reopen(places, restored);
  return restored;
}

}  // namespace vk
