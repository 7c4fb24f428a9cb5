#include "Source/EximRep.h"

#include <memory>

#include "Source/EximRepExport.h"
#include "Source/EximRepImport.h"
#include "Source/EximRepReport.h"

namespace vk {
namespace {

struct TObjects {
  std::unique_ptr<TCsvExport> CsvExport;
  std::unique_ptr<TTxtExport> TxtExport;
  std::unique_ptr<TCsvImport> CsvImport;
  std::unique_ptr<TListReport> ListReport;
};

TObjects& Objects() {
  static TObjects objects;
  return objects;
}

}  // namespace

void InitEximRep(TExImHost& host) {
  TCsvStr::InitSeparators(host.Separators());
  TObjects& o = Objects();
  o.CsvExport = std::make_unique<TCsvExport>(host);
  o.TxtExport = std::make_unique<TTxtExport>(host);
  o.CsvImport = std::make_unique<TCsvImport>(host);
  o.ListReport = std::make_unique<TListReport>();
}

void FreeEximRep() {
  // In the reverse order of their making.
  TObjects& o = Objects();
  o.ListReport.reset();
  o.CsvImport.reset();
  o.TxtExport.reset();
  o.CsvExport.reset();
}

std::vector<TInOut*> EximRepObjects() {
  const TObjects& o = Objects();
  if (!o.CsvExport) return {};
  return {o.CsvExport.get(), o.TxtExport.get(), o.CsvImport.get(), o.ListReport.get()};
}

}  // namespace vk
