// A second process for the file lock tests: opens a file the way the program
// does and reports what happened by its exit code.
//   FileOpenProbe existing|new|always|read <path>
// Exit code: 0 opened, 1 not found, 2 exists, 3 failed, 9 wrong arguments.

#include <string>

#include "Platform/File.h"

int main(int argc, char** argv) {
  using vk::platform::OpenMode;
  using vk::platform::OpenStatus;
  if (argc != 3) return 9;
  std::string mode = argv[1];
  OpenMode openMode;
  if (mode == "existing") {
    openMode = OpenMode::OpenExisting;
  } else if (mode == "new") {
    openMode = OpenMode::CreateNew;
  } else if (mode == "always") {
    openMode = OpenMode::CreateAlways;
  } else if (mode == "read") {
    openMode = OpenMode::ReadExisting;
  } else {
    return 9;
  }
  switch (vk::platform::DefaultFileSystem().Open(argv[2], openMode).Status) {
    case OpenStatus::Ok: return 0;
    case OpenStatus::NotFound: return 1;
    case OpenStatus::Exists: return 2;
    case OpenStatus::Failed: return 3;
  }
  return 3;
}
