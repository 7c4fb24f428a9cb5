#pragma once
// The operation journal: makes every change of table files whole, so that a
// stop of the program or of the machine leaves each file either as it was
// before a change or as it is after it, never in between.
//
// While an operation runs, its files' writes are held back in memory
// (TPendingWrites). At its end, the journal file beside them receives what
// puts each file back as it was and what recognises the finished result, and
// is flushed. Then the files are written and each is flushed once: when the
// last flush returns, the operation is durable. The journal is emptied last;
// that step needs no flush, since a journal whose files already hold its
// result is only removed (docs/journal-file-format.md gives the reasoning
// for every point a stop or a power cut can fall on).
//
// Recover runs before anything opens, copies or replaces the files a journal
// covers: a whole journal is rolled back unless its files hold the result
// (which is then flushed), then removed; a journal cut short is removed,
// because no file write began before it was whole; a journal whose files are
// not its own is set aside.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Core/DateTime.h"
#include "Platform/File.h"

namespace vk {

class TDatFile;

class TJournal {
 public:
  // name: the journal's file name in the folder of the files it covers;
  // empty: one journal per file, named after the file with ".jnl" added.
  // clock: dates a journal set aside (see Recover); the system's by default.
  explicit TJournal(platform::FileSystem& fs, std::string name = {}, std::function<TDateTime()> clock = {});
  TJournal(const TJournal&) = delete;
  TJournal& operator=(const TJournal&) = delete;

  // Runs body as one operation: all the changes it makes to this journal's
  // files happen together at its end, or none of them. A call inside a
  // running operation joins it. When body or the writing fails, every file
  // the operation touched is as it was, on disk and in memory (each is
  // reloaded from its file), and the failure is passed on.
  void RunOperation(const std::function<void()>& body);

  // For a table file's own changes: the file joins the running operation, or
  // without one body runs as an operation of this file alone. On a failure
  // the file is as it was on disk; putting its memory back is the caller's.
  void RunChange(TDatFile& file, const std::function<void()>& body);

  bool Running() const { return running_; }

  // The journal of a table file: in its folder, under this journal's name.
  std::string PathBeside(const std::string& tableFile) const;
  const std::string& Name() const { return name_; }

  // Settles the journal at path (see above). The files it names must not be
  // open. A whole journal whose files could not have come from its
  // operation (put in by hand, another shop's) is never applied: it is
  // renamed to its name with the date and time added (vorkel.jnl.2026-12-08_
  // 10-30-00) and the files stay as they are. Whatever is left is durable
  // when it returns: a result kept is flushed, an emptied journal too. True
  // when no journal is left there that still has to be rolled back; false
  // when one is (a file could not be opened, read, written or flushed):
  // those files must then not be used.
  bool Recover(const std::string& path);

 private:
  struct Member {
    TDatFile* File;
    int32_t Place;  // its record offset when it joined, to come back to
  };

  // file: a table file's own change (see RunChange); nothing: RunOperation.
  void Run(TDatFile* file, const std::function<void()>& body);
  void Begin();
  void Join(TDatFile& file);
  void Commit();
  void End();
  void ReloadMembers();
  bool SetAside(const std::string& path);

  static constexpr int kMaxAsideNames = 9;

  platform::FileSystem& fs_;
  std::string name_;
  std::function<TDateTime()> clock_;
  std::vector<Member> members_;
  bool running_ = false;
  bool failed_ = false;  // a change inside the operation failed: it must not commit
  // The journal that Recover last found empty and flushed; no operation has
  // written it since, so it needs no flush again.
  std::string durablyEmpty_;
  // A roll-back in this process failed: the journal on disk is the only way
  // back, and no new operation may overwrite it until Recover succeeded.
  bool needsRecovery_ = false;
};

}  // namespace vk
