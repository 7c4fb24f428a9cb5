// The store takes its data code page from the settings before the data are
// opened: goods written in that code page read back, show and are found as
// they were entered.

#include <gtest/gtest.h>

#include "Platform/fake/MemoryRegistry.h"
#include "Platform/fake/MemoryTextFiles.h"
#include "Source/StoreDataCodePage.h"
#include "StoreFixture.h"

namespace vk {
namespace {

using testing::FixedClock;

const std::string kCfgPath = "/prog/vorkel.cfg";

TEST(StoreCodePage, SettingsGiveTheStoreItsDataCodePage) {
  LoadEnglishTexts();
  struct Case {
    const char* name;
    const char* cfg;
    uint32_t systemCodePage, localeCodePage;
    uint32_t dataCodePage;
    const char* goodsName;
  } cases[] = {
      {"stated", "[Language]\r\nBaseCodePage=000004E4\r\n", 1251, 1251, 1252, "Caf\xC3\xA9 cr\xC3\xA8me"},
      {"Russian interface", "[Language]\r\nProgLang=RUS\r\n", 1252, 1252, 1251, "\xD0\x9A\xD0\xBE\xD1\x84\xD0\xB5"},
      {"stated but unknown", "[Language]\r\nProgLang=UKR\r\nBaseCodePage=00000001\r\n", 1252, 1252, 1251,
       "\xD2\x90\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xBA"},
      {"English on a Western system", "[Language]\r\nProgLang=ENG\r\n", 1252, 1252, 1252, "Na\xC3\xAFve tea"},
      {"English on a UTF-8 system", "", 65001, 1251, 1251, "\xD0\xA7\xD0\xB0\xD0\xB9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform::MemoryFileSystem disk;
    FixedClock clock;
    {
      // The data as a store of that code page wrote them: 300 products.
      TStore writer(disk, clock.Clock());
      writer.SetDataCodePage(c.dataCodePage);
      writer.SetProgramFolder("/prog/");
      writer.Open(true, "Data");
      for (int i = 0; i < 300; ++i)
        writer.AddGoods("K" + std::to_string(i), "Item " + std::to_string(i), "1.00", "1.00", "1", "");
      writer.AddGoods("X1", c.goodsName, "2.00", "1.00", "1", c.goodsName);
      writer.Close();
    }
    platform::MemoryTextFiles files;
    files.Put(kCfgPath, c.cfg);
    platform::MemoryRegistry registry;
    TOptionsEnvironment env;
    env.Files = &files;
    env.Registry = &registry;
    env.FileCodePage = c.systemCodePage == 65001 ? 1251 : c.systemCodePage;
    TProgOptions options(kCfgPath, kUninstallKeyName, env,
                         {c.systemCodePage, c.localeCodePage, [](uint32_t cp) { return cp == 1251 || cp == 1252; }});

    TStore store(disk, clock.Clock());
    store.SetProgramFolder("/prog/");
    ApplyDataCodePageSetting(store, options);
    EXPECT_EQ(store.DataCodePage(), c.dataCodePage);
    store.Open(false, "Data");
    ASSERT_TRUE(store.FindByName(c.goodsName));
    EXPECT_EQ(store.Goods().Name.GetAsString(), c.goodsName);
    EXPECT_EQ(store.Goods().Code.GetAsString(), "X1");
    int notes = 0;
    for (store.Moves().First(); !store.Moves().Eof(); store.Moves().Next()) {
      notes += store.Moves().Note.GetAsString() == c.goodsName;
    }
    EXPECT_EQ(notes, 1);
  }
}

}  // namespace
}  // namespace vk
