// Feeds arbitrary text to the money, integer and date-time parsers. Every
// accepted text must survive a round trip through the text form.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Core/DateTime.h"
#include "Core/SysUtils.h"
#include "Tables/UBaseFld.h"
#include "Tables/UMoneyFld.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vk;
  std::string text(reinterpret_cast<const char*>(data), size);
  try {
    uint32_t money = TMoneyField::StrToMoney(text);
    if (TMoneyField::StrToMoney(TMoneyField::MoneyToStr(money)) != money) std::abort();
  } catch (const Exception&) {
  }
  if (auto v = TryStrToInt(text)) {
    if (TryStrToInt(std::to_string(*v)) != v) std::abort();
  }
  static const TFormatSettings ru = RussianFormatSettings();
  static const TFormatSettings en = EnglishFormatSettings();
  for (const TFormatSettings* fs : {&ru, &en}) {
    if (auto d = TryStrToDateTime(text, *fs)) {
      if (!IsValidDateTime(*d)) std::abort();
      auto back = TryStrToDateTime(FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", *d, *fs), *fs);
      (void)back;
    }
  }
  TMoneyField money;
  TIntegerField integer;
  TDateTimeField date;
  char buffer[8];
  for (TField* f : {static_cast<TField*>(&money), static_cast<TField*>(&integer), static_cast<TField*>(&date)}) {
    try {
      f->TextToBuffer(text, buffer);
      (void)f->BufferToText(buffer);
    } catch (const Exception&) {
    }
  }
  return 0;
}
