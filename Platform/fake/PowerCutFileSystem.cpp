#include "Platform/fake/PowerCutFileSystem.h"

#include <algorithm>
#include <random>

namespace vk::platform {
namespace {

constexpr size_t kSector = 512;

using Image = std::optional<std::vector<uint8_t>>;
using State = PowerCutFileSystem::State;

// An open file of the cache; every change first pins the file's disk image.
class PowerCutFile final : public File {
 public:
  PowerCutFile(std::unique_ptr<File> base, MemoryFileSystem& cache, std::string key, std::shared_ptr<State> state)
      : base_(std::move(base)), cache_(cache), key_(std::move(key)), state_(std::move(state)) {}

  size_t ReadAt(int64_t offset, void* buffer, size_t n) override { return base_->ReadAt(offset, buffer, n); }
  size_t WriteAt(int64_t offset, const void* buffer, size_t n) override {
    state_->Touch(cache_, key_);
    return base_->WriteAt(offset, buffer, n);
  }
  int64_t Size() override { return base_->Size(); }
  bool Truncate(int64_t size) override {
    state_->Touch(cache_, key_);
    return base_->Truncate(size);
  }
  bool Flush() override {
    if (!base_->Flush()) return false;
    state_->OnDisk.erase(key_);
    return true;
  }
  std::string LastError() const override { return base_->LastError(); }

 private:
  std::unique_ptr<File> base_;
  MemoryFileSystem& cache_;
  std::string key_;
  std::shared_ptr<State> state_;
};

// Whole sectors of either image, the length of one of them; past an image's
// end its sectors read as zeros.
std::vector<uint8_t> Mix(const std::vector<uint8_t>& disk, const std::vector<uint8_t>& cache, std::mt19937& rng) {
  std::vector<uint8_t> out((rng() & 1) ? cache.size() : disk.size(), 0);
  for (size_t at = 0; at < out.size(); at += kSector) {
    const std::vector<uint8_t>& from = (rng() & 1) ? cache : disk;
    const size_t end = std::min({at + kSector, out.size(), std::max(from.size(), at)});
    if (at < end)
      std::copy(from.begin() + static_cast<int64_t>(at), from.begin() + static_cast<int64_t>(end),
                out.begin() + static_cast<int64_t>(at));
  }
  return out;
}

}  // namespace

void State::Touch(const MemoryFileSystem& cache, const std::string& path) {
  if (OnDisk.count(path) == 0) OnDisk.emplace(path, cache.Contents(path));
}

PowerCutFileSystem::PowerCutFileSystem(MemoryFileSystem& cache) : cache_(cache), state_(std::make_shared<State>()) {}

OpenResult PowerCutFileSystem::Open(const std::string& path, OpenMode mode) {
  const std::string key = MemoryFileSystem::Tidy(path);
  if (mode == OpenMode::CreateNew || mode == OpenMode::CreateAlways) state_->Touch(cache_, key);
  OpenResult result = cache_.Open(path, mode);
  if (result.Handle) result.Handle = std::make_unique<PowerCutFile>(std::move(result.Handle), cache_, key, state_);
  return result;
}

bool PowerCutFileSystem::FileExists(const std::string& path) { return cache_.FileExists(path); }

bool PowerCutFileSystem::DeleteFile(const std::string& path) {
  state_->Touch(cache_, MemoryFileSystem::Tidy(path));
  return cache_.DeleteFile(path);
}

bool PowerCutFileSystem::FolderExists(const std::string& path) { return cache_.FolderExists(path); }
bool PowerCutFileSystem::CreateFolder(const std::string& path) { return cache_.CreateFolder(path); }
bool PowerCutFileSystem::RemoveFolder(const std::string& path) { return cache_.RemoveFolder(path); }

bool PowerCutFileSystem::CopyFile(const std::string& from, const std::string& to, bool overwrite) {
  if (!cache_.CopyFile(from, to, overwrite)) return false;
  state_->OnDisk.erase(MemoryFileSystem::Tidy(to));  // written to the disk before it answered
  return true;
}

bool PowerCutFileSystem::RenameFile(const std::string& from, const std::string& to) {
  const std::string source = MemoryFileSystem::Tidy(from), target = MemoryFileSystem::Tidy(to);
  const auto pinned = state_->OnDisk.find(source);
  const bool inStep = pinned == state_->OnDisk.end();
  // The name is on the disk; the bytes under it are the file's disk image.
  const std::vector<uint8_t> onDisk = inStep ? std::vector<uint8_t>{} : pinned->second.value_or(std::vector<uint8_t>{});
  if (!cache_.RenameFile(from, to)) return false;
  state_->OnDisk.erase(source);
  if (inStep)
    state_->OnDisk.erase(target);
  else
    state_->OnDisk[target] = onDisk;
  return true;
}

bool PowerCutFileSystem::SameFolder(const std::string& a, const std::string& b) { return cache_.SameFolder(a, b); }

size_t PowerCutFileSystem::Unflushed() const { return state_->OnDisk.size(); }

void PowerCutFileSystem::CutInto(MemoryFileSystem& disk, Cut cut, uint32_t seed) const {
  std::mt19937 rng(seed);
  for (const std::string& folder : cache_.FolderPaths()) disk.CreateFolder(folder);
  for (const std::string& path : cache_.FilePaths()) {
    if (state_->OnDisk.count(path) == 0) disk.SetContents(path, *cache_.Contents(path));
  }
  for (const auto& [path, onDisk] : state_->OnDisk) {
    const Image inCache = cache_.Contents(path);
    const uint32_t fate = cut == Cut::AllLost ? 0 : cut == Cut::AllKept ? 1 : rng() % 3;
    Image left = fate == 0 ? onDisk : inCache;
    if (fate == 2 && onDisk && inCache) left = Mix(*onDisk, *inCache, rng);
    if (fate == 2 && (!onDisk || !inCache)) left = (rng() & 1) ? onDisk : inCache;
    if (left) disk.SetContents(path, *left);
  }
}

}  // namespace vk::platform
