#pragma once
// A two-field table (integer key "ID", string of 8 "Name") over an in-memory
// file system, shared by the table file tests.

#include <functional>
#include <string>
#include <vector>

#include "Core/SysUtils.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "Tables/UBaseFld.h"
#include "Tables/UDatFile.h"

namespace vk::testing {

inline std::string MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "<no exception>";
}

struct TwoFieldLayout {
  TIntegerField id;
  TStringField name{8};
  TFields set;
  TwoFieldLayout() {
    id.SetName("ID");
    id.SetIsKey(true);
    name.SetName("Name");
    set.Add(&id);
    set.Add(&name);
  }
  // Starts a record the way a table does: key from the counter, then values.
  void Fill(const std::string& text) {
    set.InitKeyValues();
    name.EnableEdit();
    name.SetAsString(text);
    name.DisableEdit();
  }
};

inline std::vector<uint8_t> Int32Bytes(int32_t v) {
  uint8_t b[4];
  std::memcpy(b, &v, 4);
  return {b, b + 4};
}

// The bytes a fresh two-field table file must have.
inline std::vector<uint8_t> FreshTwoFieldFile(int32_t recordCount = 0, int32_t deleted = 0, int32_t nextKey = 1) {
  std::vector<uint8_t> b = {'W', 'r', 'D', 't', 0, 0, 0, 0};
  for (int32_t v : {104, 2, 20, recordCount, deleted, 0}) {
    auto i = Int32Bytes(v);
    b.insert(b.end(), i.begin(), i.end());
  }
  auto descriptor = [&](int32_t type, int32_t size, const std::string& name, int32_t next) {
    auto t = Int32Bytes(type), s = Int32Bytes(size), n = Int32Bytes(next);
    b.insert(b.end(), t.begin(), t.end());
    b.insert(b.end(), s.begin(), s.end());
    b.push_back(static_cast<uint8_t>(name.size()));
    std::vector<uint8_t> nameBytes(23, 0);  // 20 name bytes and 3 of padding
    std::copy(name.begin(), name.end(), nameBytes.begin());
    b.insert(b.end(), nameBytes.begin(), nameBytes.end());
    b.insert(b.end(), n.begin(), n.end());
  };
  descriptor(1, 4, "ID", nextKey);
  descriptor(2, 8, "Name", 0);
  return b;
}

}  // namespace vk::testing
