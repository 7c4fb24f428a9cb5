#pragma once
// The file systems the contract tests run against: the system's own, the
// in-memory one, and the fault-injecting one (with nothing planned) over each.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Platform/File.h"
#include "Platform/fake/FaultyFileSystem.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "tests/Platform/FileText.h"

namespace vk::platform::test {

struct Subject {
  const char* Name;
  bool OnDisk;  // real folders and other processes exist
  bool Faulty;
  bool OverMemory;
};

inline const std::vector<Subject>& Subjects() {
  static const std::vector<Subject> subjects = {
      {"System", true, false, false},
      {"Memory", false, false, true},
      {"FaultyOverMemory", false, true, true},
      {"FaultyOverSystem", true, true, false},
  };
  return subjects;
}

// Builds the file system a Subject names and keeps what it wraps alive.
class SubjectFileSystem {
 public:
  explicit SubjectFileSystem(const Subject& subject,
                             MemoryFileSystem::Folders folders = MemoryFileSystem::Folders::Loose) {
    FileSystem* base = &DefaultFileSystem();
    if (subject.OverMemory) {
      memory_ = std::make_unique<MemoryFileSystem>(folders);
      base = memory_.get();
    }
    if (subject.Faulty) {
      faulty_ = std::make_unique<FaultyFileSystem>(*base);
      base = faulty_.get();
    }
    fs_ = base;
  }

  FileSystem& Fs() { return *fs_; }
  FaultyFileSystem* Faulty() { return faulty_.get(); }

 private:
  std::unique_ptr<MemoryFileSystem> memory_;
  std::unique_ptr<FaultyFileSystem> faulty_;
  FileSystem* fs_ = nullptr;
};

inline void PrintTo(const Subject& subject, std::ostream* out) { *out << subject.Name; }

inline std::string SubjectName(const testing::TestParamInfo<Subject>& info) { return info.param.Name; }

}  // namespace vk::platform::test
