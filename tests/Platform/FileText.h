#pragma once
// A file's bytes as text, for short test contents.

#include <cstdint>
#include <string>

#include "Platform/File.h"

namespace vk::platform::test {

inline bool WriteText(File& file, int64_t offset, const std::string& text) {
  return file.WriteAt(offset, text.data(), text.size()) == text.size();
}

inline std::string ReadAll(File& file) {
  int64_t size = file.Size();
  if (size < 0) return "<size failed>";
  std::string text(static_cast<size_t>(size), '\0');
  text.resize(file.ReadAt(0, text.data(), text.size()));
  return text;
}

}  // namespace vk::platform::test
