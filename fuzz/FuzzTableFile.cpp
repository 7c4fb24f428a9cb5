// Opens arbitrary bytes as a table file, once against a two-field set and
// once building the fields from the file, and reads every record. Whatever
// the bytes say, opening must refuse cleanly or yield a consistent table.
// The largest single allocation is reported at exit.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include <sanitizer/allocator_interface.h>

#include "Core/SysUtils.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "Tables/UBaseFld.h"
#include "Tables/UTable.h"

namespace {

std::atomic<size_t> largestAllocation{0};
// Only what the table code allocates counts, not the fuzzer's own buffers.
std::atomic<bool> inTarget{false};

void ReportLargest() { std::fprintf(stderr, "largest allocation: %zu bytes\n", largestAllocation.load()); }

void ReadAll(vk::TTable& table) {
  for (table.First(); !table.Eof(); table.Next()) {
    for (int32_t f = 0; f < table.Fields()->Count(); ++f) (void)table.CellText(table.RecNo(), f);
  }
}

}  // namespace

void OnMalloc(const volatile void*, size_t n) {
  if (!inTarget.load(std::memory_order_relaxed)) return;
  size_t seen = largestAllocation.load();
  while (n > seen && !largestAllocation.compare_exchange_weak(seen, n)) {
  }
}
void OnFree(const volatile void*) {}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);
  std::atexit(ReportLargest);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vk;
  platform::MemoryFileSystem fs;
  fs.SetContents("t.dat", std::vector<uint8_t>(data, data + size));
  struct Counting {
    Counting() { inTarget = true; }
    ~Counting() { inTarget = false; }
  } counting;
  {
    TIntegerField id;
    id.SetIsKey(true);
    TStringField name(8);
    TFields set({&id, &name});
    TTable table(fs);
    table.SetFileName("t.dat");
    table.SetFields(&set);
    try {
      table.Open(false);
      ReadAll(table);
      TIndex byId(&set, "ID", &id);
      table.AddIndex(&byId);
      table.SetIndex(&byId);
      table.Close();
    } catch (const Exception&) {
    }
    if (table.Active()) std::abort();  // a refused open leaves the table closed
  }
  {
    TTable table(fs);
    table.SetFileName("t.dat");
    try {
      table.Open(false);
      ReadAll(table);
      table.Close();
    } catch (const Exception&) {
    }
    if (table.Active()) std::abort();
  }
  return 0;
}
