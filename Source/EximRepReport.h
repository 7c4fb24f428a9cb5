#pragma once
// The list report: the stock list printed as one table, a row per product
// in the goods grid's order under the column titles of the current language,
// and a foot row of the totals. It never changes the stock (done stays
// false); what goes wrong in printing leaves it for the framework to show.
// Portable; the printer is the print manager's.

#include <string>

#include "Source/InOut.h"
#include "Source/StoreData.h"

namespace vk {

class TListReport : public TReport {
 public:
  explicit TListReport(TStore& store = Store());

  std::string GetCaption() override;
  std::string GetHint() override;
  void Execute(bool& done) override;
  // One row; the date keeps two digits of its year (03/05/2024 prints as
  // 03/05/24).
  void FormatLine(const std::string& code, const std::string& name, const std::string& price, const std::string& date,
                  const std::string& quantity, const std::string& packs, const std::string& value) override;

 private:
  TStore& store_;
};

}  // namespace vk
