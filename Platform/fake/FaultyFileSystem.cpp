#include "Platform/fake/FaultyFileSystem.h"

#include <algorithm>
#include <vector>

namespace vk::platform {

namespace {
constexpr size_t kOps = 10;
size_t Index(FaultyFileSystem::Op op) { return static_cast<size_t>(op); }
}  // namespace

struct FaultyFileSystem::State {
  std::array<int, kOps> counts{};
  std::array<int, kOps> failAt{};
  int mutations = 0;
  int failMutationAt = 0;
  size_t partialBytes = 0;
  int changes = 0;
  int stopAt = 0;
  int injected = 0;

  struct Verdict {
    bool fail = false;
    size_t partialBytes = 0;  // for a failing write: bytes still written
    bool stopped = false;     // after the stop: nothing at all happens
  };

  // Counts one operation and says whether it is to fail. A change is
  // anything that alters the disk.
  Verdict Next(Op op, bool change) {
    int count = ++counts[Index(op)];
    bool mutation = op == Op::Write || op == Op::Truncate || op == Op::Flush;
    int mutationCount = mutation ? ++mutations : 0;
    int changeCount = change ? ++changes : 0;
    Verdict verdict;
    if (failAt[Index(op)] == count) verdict.fail = true;
    if (mutation && failMutationAt > 0 && mutationCount == failMutationAt) {
      verdict.fail = true;
      verdict.partialBytes = partialBytes;
    }
    if (change && stopAt > 0 && changeCount >= stopAt) {
      verdict.fail = true;
      verdict.stopped = changeCount > stopAt;
      verdict.partialBytes = verdict.stopped ? 0 : partialBytes;
    }
    if (verdict.fail) ++injected;
    return verdict;
  }

  Verdict Next(Op op) { return Next(op, op != Op::Read && op != Op::Open); }
};

namespace {

using State = FaultyFileSystem::State;
using Op = FaultyFileSystem::Op;

class FaultyFile final : public File {
 public:
  FaultyFile(std::string path, std::unique_ptr<File> base, std::shared_ptr<State> state)
      : path_(std::move(path)), base_(std::move(base)), state_(std::move(state)) {}

  size_t ReadAt(int64_t offset, void* buffer, size_t n) override {
    if (state_->Next(Op::Read).fail) {
      Inject("read");
      return 0;
    }
    return Pass(base_->ReadAt(offset, buffer, n), n);
  }

  size_t WriteAt(int64_t offset, const void* buffer, size_t n) override {
    auto verdict = state_->Next(Op::Write);
    if (!verdict.fail) return Pass(base_->WriteAt(offset, buffer, n), n);
    // A failing write always falls short, however many bytes were planned.
    size_t partial = std::min(verdict.partialBytes, n > 0 ? n - 1 : 0);
    // A zero-byte write would still grow the file to offset; a torn write of nothing leaves it alone.
    if (partial > 0) partial = base_->WriteAt(offset, buffer, partial);
    Inject("write");
    return partial;
  }

  int64_t Size() override {
    int64_t size = base_->Size();
    if (size < 0) lastError_ = base_->LastError();
    return size;
  }

  bool Truncate(int64_t size) override {
    if (state_->Next(Op::Truncate).fail) {
      Inject("truncate");
      return false;
    }
    return Pass(base_->Truncate(size));
  }

  bool Flush() override {
    if (state_->Next(Op::Flush).fail) {
      Inject("flush");
      return false;
    }
    return Pass(base_->Flush());
  }

  std::string LastError() const override { return lastError_; }

 private:
  void Inject(const char* call) { lastError_ = std::string(call) + " " + path_ + ": injected fault"; }
  size_t Pass(size_t done, size_t wanted) {
    if (done < wanted) lastError_ = base_->LastError();
    return done;
  }
  bool Pass(bool ok) {
    if (!ok) lastError_ = base_->LastError();
    return ok;
  }

  std::string path_;
  std::unique_ptr<File> base_;
  std::shared_ptr<State> state_;
  std::string lastError_;
};

}  // namespace

FaultyFileSystem::FaultyFileSystem(FileSystem& base) : base_(base), state_(std::make_shared<State>()) {}

OpenResult FaultyFileSystem::Open(const std::string& path, OpenMode mode) {
  const bool creates = mode == OpenMode::CreateNew || mode == OpenMode::CreateAlways;
  if (state_->Next(Op::Open, creates).fail) {
    OpenResult result;
    result.Status = OpenStatus::Failed;
    result.Error = "open " + path + ": injected fault";
    return result;
  }
  OpenResult result = base_.Open(path, mode);
  if (result.Handle) result.Handle = std::make_unique<FaultyFile>(path, std::move(result.Handle), state_);
  return result;
}

bool FaultyFileSystem::FileExists(const std::string& path) { return base_.FileExists(path); }

bool FaultyFileSystem::DeleteFile(const std::string& path) {
  if (state_->Next(Op::Delete).fail) return false;
  return base_.DeleteFile(path);
}

bool FaultyFileSystem::FolderExists(const std::string& path) { return base_.FolderExists(path); }

bool FaultyFileSystem::CreateFolder(const std::string& path) {
  if (state_->Next(Op::CreateFolder).fail) return false;
  return base_.CreateFolder(path);
}

bool FaultyFileSystem::RemoveFolder(const std::string& path) {
  if (state_->Next(Op::RemoveFolder).fail) return false;
  return base_.RemoveFolder(path);
}

bool FaultyFileSystem::CopyFile(const std::string& from, const std::string& to, bool overwrite) {
  const State::Verdict verdict = state_->Next(Op::Copy);
  if (!verdict.fail) return base_.CopyFile(from, to, overwrite);
  if (verdict.stopped) return false;
  // Cut short: the target gets the first half of the source, where a real
  // copy could have written it.
  if (!overwrite && base_.FileExists(to)) return false;
  OpenResult source = base_.Open(from, OpenMode::ReadExisting);
  if (!source.Handle) return false;
  std::vector<char> half(static_cast<size_t>(std::max<int64_t>(source.Handle->Size(), 0) / 2));
  half.resize(source.Handle->ReadAt(0, half.data(), half.size()));
  source.Handle.reset();
  OpenResult target = base_.Open(to, OpenMode::CreateAlways);
  if (target.Handle) target.Handle->WriteAt(0, half.data(), half.size());
  return false;
}

bool FaultyFileSystem::RenameFile(const std::string& from, const std::string& to) {
  if (state_->Next(Op::Rename).fail) return false;
  return base_.RenameFile(from, to);
}

bool FaultyFileSystem::SameFolder(const std::string& a, const std::string& b) { return base_.SameFolder(a, b); }

void FaultyFileSystem::FailNth(Op op, int n) { state_->failAt[Index(op)] = n; }

void FaultyFileSystem::FailNthMutation(int n, size_t partialBytes) {
  state_->failMutationAt = n;
  state_->partialBytes = partialBytes;
}

void FaultyFileSystem::StopAtNthChange(int n, size_t partialBytes) {
  state_->stopAt = n;
  state_->partialBytes = partialBytes;
}

int FaultyFileSystem::Count(Op op) const { return state_->counts[Index(op)]; }
int FaultyFileSystem::MutationCount() const { return state_->mutations; }
int FaultyFileSystem::ChangeCount() const { return state_->changes; }
int FaultyFileSystem::InjectedCount() const { return state_->injected; }

// Files already open keep the same state, so they see the cleared plan too.
void FaultyFileSystem::Reset() { *state_ = State{}; }

}  // namespace vk::platform
