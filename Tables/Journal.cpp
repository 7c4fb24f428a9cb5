#include "Tables/Journal.h"

#include <algorithm>
#include <utility>

#include "Core/SysUtils.h"
#include "Platform/Clock.h"
#include "Tables/DatFormat.h"
#include "Tables/JournalFormat.h"
#include "Tables/UDatFile.h"

namespace vk {
namespace {

size_t NameStart(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? 0 : cut + 1;
}

// Old bytes wherever the operation writes below the old length, and all of
// them from the shortest length it gave the file on.
std::vector<TJournalRegion> BeforeImage(platform::File& file, const TPendingWrites& held) {
  std::vector<std::pair<int64_t, int64_t>> ranges;
  for (const auto& [start, bytes] : held.Extents()) {
    const int64_t end = std::min(start + static_cast<int64_t>(bytes.size()), held.BaseLength());
    if (start < end) ranges.emplace_back(start, end);
  }
  if (held.CutAt() < held.BaseLength()) ranges.emplace_back(held.CutAt(), held.BaseLength());
  std::sort(ranges.begin(), ranges.end());
  std::vector<TJournalRegion> regions;
  int64_t start = 0, end = -1;
  auto flush = [&] {
    if (end <= start) return;
    TJournalRegion r{start, std::vector<uint8_t>(static_cast<size_t>(end - start))};
    if (file.ReadAt(start, r.Bytes.data(), r.Bytes.size()) != r.Bytes.size())
      throw Exception("Ошибка при чтении из файла");
    regions.push_back(std::move(r));
  };
  for (const auto& [from, to] : ranges) {
    if (from > end) {
      flush();
      start = from;
      end = to;
    } else {
      end = std::max(end, to);
    }
  }
  flush();
  return regions;
}

// Every byte of the result that may differ from the file's old bytes: what
// is written below the end of the old bytes that stay, and all of the file
// from there on (written bytes and the zeros of any lengthening).
std::vector<TJournalRegion> AfterImage(platform::File& file, const TPendingWrites& held) {
  const int64_t kept = std::min(held.CutAt(), held.BaseLength());
  std::vector<TJournalRegion> regions;
  for (const auto& [start, bytes] : held.Extents()) {
    if (start >= kept) break;
    const size_t n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(bytes.size()), kept - start));
    regions.push_back({start, std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<int64_t>(n))});
  }
  if (kept < held.Length()) {
    TJournalRegion tail{kept, std::vector<uint8_t>(static_cast<size_t>(held.Length() - kept))};
    held.Read(file, kept, tail.Bytes.data(), tail.Bytes.size());  // past the old bytes: nothing from the disk
    if (!regions.empty() && regions.back().Offset + static_cast<int64_t>(regions.back().Bytes.size()) == kept) {
      regions.back().Bytes.insert(regions.back().Bytes.end(), tail.Bytes.begin(), tail.Bytes.end());
    } else {
      regions.push_back(std::move(tail));
    }
  }
  return regions;
}

TJournalEntry EntryOf(TDatFile& file, const TPendingWrites& held) {
  TJournalEntry e;
  e.Name = file.FileName().substr(NameStart(file.FileName()));
  e.OldLength = held.BaseLength();
  e.NewLength = held.Length();
  e.Before = BeforeImage(file.SystemFile(), held);
  e.After = AfterImage(file.SystemFile(), held);
  e.KeptLength = std::min(held.CutAt(), held.BaseLength());
  const std::optional<uint32_t> crc = FirstSectorCrc(file.SystemFile(), e);
  if (!crc) throw Exception("Ошибка при чтении из файла");
  e.FirstSectorCrc = *crc;
  return e;
}

platform::OpenResult OpenOrCreate(platform::FileSystem& fs, const std::string& path) {
  platform::OpenResult r = fs.Open(path, platform::OpenMode::OpenExisting);
  if (r.Status == platform::OpenStatus::NotFound) r = fs.Open(path, platform::OpenMode::CreateNew);
  return r;
}

}  // namespace

TJournal::TJournal(platform::FileSystem& fs, std::string name, std::function<TDateTime()> clock)
    : fs_(fs), name_(std::move(name)), clock_(clock ? std::move(clock) : std::function<TDateTime()>(&platform::Now)) {}

std::string TJournal::PathBeside(const std::string& tableFile) const {
  if (name_.empty()) return tableFile + ".jnl";
  return tableFile.substr(0, NameStart(tableFile)) + name_;
}

void TJournal::Begin() {
  // Only the journal on disk can still put the files back: it must not be
  // overwritten before it was used.
  if (needsRecovery_) throw Exception("Ошибка записи в файл");
  running_ = true;
  failed_ = false;
}

void TJournal::Join(TDatFile& file) {
  for (const Member& m : members_) {
    if (m.File == &file) return;
  }
  file.HoldChanges();
  members_.push_back({&file, file.RecordOffset()});
}

void TJournal::End() {
  for (const Member& m : members_) {
    if (m.File->Active()) m.File->DropHeldChanges();
  }
  members_.clear();
  running_ = false;
  failed_ = false;
}

void TJournal::Commit() {
  if (failed_) throw Exception("Ошибка записи в файл");
  durablyEmpty_.clear();  // whatever happens below, the journal is written
  std::vector<TJournalEntry> entries;
  std::vector<TDatFile*> files;
  for (const Member& m : members_) {
    const TPendingWrites* held = m.File->Active() ? m.File->HeldChanges() : nullptr;
    if (!held || !held->Changed()) continue;
    entries.push_back(EntryOf(*m.File, *held));
    files.push_back(m.File);
  }
  if (files.empty()) return;
  const std::string path = PathBeside(files.front()->FileName());
  for (TDatFile* f : files)
    Assert(PathBeside(f->FileName()) == path, "Files of one operation in two folders", "Tables\\Journal");

  // 1. The journal, whole and on the disk before any table file changes.
  const std::vector<uint8_t> bytes = PackJournal(entries);
  platform::OpenResult journal = OpenOrCreate(fs_, path);
  if (!journal.Handle || journal.Handle->WriteAt(0, bytes.data(), bytes.size()) != bytes.size() ||
      !journal.Handle->Truncate(static_cast<int64_t>(bytes.size())) || !journal.Handle->Flush()) {
    // The files are untouched; whatever the journal holds puts back nothing.
    if (journal.Handle) journal.Handle->Truncate(0);
    throw Exception("Ошибка записи в файл");
  }
  // 2. The files, then one flush each: the operation is durable.
  bool written = true;
  for (TDatFile* f : files) written = written && f->HeldChanges()->ApplyTo(f->SystemFile());
  for (TDatFile* f : files) written = written && f->SystemFile().Flush();
  if (!written) {
    bool back = true;
    for (size_t i = 0; i < files.size(); ++i) back = PutBack(files[i]->SystemFile(), entries[i]) && back;
    if (back)
      journal.Handle->Truncate(0);
    else
      needsRecovery_ = true;
    throw Exception("Ошибка записи в файл");
  }
  // 3. Emptied without a flush: lost to a power cut, the journal is found
  // whole with its files holding its result, and only removed.
  journal.Handle->Truncate(0);
}

void TJournal::ReloadMembers() {
  const std::vector<Member> members = members_;
  End();  // the held writes go first: the reload reads the files
  for (const Member& m : members) {
    if (m.File->Active()) BestEffort([&] { m.File->ReloadFromFile(m.Place); });
  }
}

void TJournal::RunOperation(const std::function<void()>& body) { Run(nullptr, body); }

void TJournal::RunChange(TDatFile& file, const std::function<void()>& body) { Run(&file, body); }

void TJournal::Run(TDatFile* file, const std::function<void()>& body) {
  if (running_) {
    try {
      if (file) Join(*file);
      body();
    } catch (...) {
      failed_ = true;
      throw;
    }
    return;
  }
  Begin();
  try {
    if (file) Join(*file);
    body();
    Commit();
  } catch (...) {
    // A file's own change puts its memory back itself; the tables of an
    // operation changed memory with the held writes and follow their files.
    if (file)
      End();
    else
      ReloadMembers();
    throw;
  }
  End();
}

bool TJournal::Recover(const std::string& path) {
  platform::OpenResult journal = fs_.Open(path, platform::OpenMode::OpenExisting);
  if (journal.Status == platform::OpenStatus::NotFound) {
    needsRecovery_ = false;
    return true;
  }
  if (!journal.Handle) return false;
  const int64_t size = journal.Handle->Size();
  if (size < 0) return false;
  if (size == 0) {
    // Emptied at the end of an operation, without a flush: until this one
    // the disk may still hold the whole journal, which must never meet files
    // that replace these (a restore) or later operations' files. Once is
    // enough until the next operation writes it again.
    if (durablyEmpty_ != path && !journal.Handle->Flush()) return false;
    durablyEmpty_ = path;
    needsRecovery_ = false;
    return true;
  }
  // A file longer than any journal this program writes is not one of ours.
  std::vector<uint8_t> bytes;
  if (size <= kMaxFileSize) {
    bytes.resize(static_cast<size_t>(size));
    if (journal.Handle->ReadAt(0, bytes.data(), bytes.size()) != bytes.size()) return false;
  }
  if (const auto entries = UnpackJournal(bytes)) {
    const std::string folder = path.substr(0, NameStart(path));
    std::vector<std::unique_ptr<platform::File>> files;
    bool finished = true, theirs = true;
    for (const TJournalEntry& e : *entries) {
      platform::OpenResult f = fs_.Open(folder + e.Name, platform::OpenMode::OpenExisting);
      if (f.Status != platform::OpenStatus::NotFound && !f.Handle) return false;
      theirs = theirs && (!f.Handle || CouldBeFrom(*f.Handle, e));
      finished = finished && f.Handle && HoldsResult(*f.Handle, e);
      files.push_back(std::move(f.Handle));
    }
    if (!theirs) {
      // Files put in by hand, or a journal that came with a folder: rolled
      // back, they would be spoiled. The journal stays for a look.
      journal.Handle.reset();
      files.clear();
      if (!SetAside(path)) return false;
      needsRecovery_ = false;
      return true;
    }
    for (size_t i = 0; i < files.size(); ++i) {
      // The result kept must be on the disk before the journal goes: it may
      // still lie in the system's cache only, written by a program stopped
      // before its flushes.
      if (files[i] && !(finished ? files[i]->Flush() : PutBack(*files[i], (*entries)[i]))) return false;
    }
  }
  // Emptied on the disk before it goes: a removal that a power cut loses
  // must not bring back a journal that would roll back later operations.
  if (!journal.Handle->Truncate(0) || !journal.Handle->Flush()) return false;
  journal.Handle.reset();
  fs_.DeleteFile(path);  // left behind, an empty journal is harmless
  needsRecovery_ = false;
  return true;
}

bool TJournal::SetAside(const std::string& path) {
  const std::string stem = path + "." + FormatDateTime("yyyy-mm-dd_hh-nn-ss", clock_(), EnglishFormatSettings());
  for (int n = 1; n <= kMaxAsideNames; ++n) {
    const std::string aside = n == 1 ? stem : stem + "-" + std::to_string(n);
    if (!fs_.FileExists(aside)) return fs_.RenameFile(path, aside);
  }
  return false;
}

}  // namespace vk
