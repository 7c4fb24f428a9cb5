// The password prompt, the password change, the work date and the totals as
// a user drives them: typed characters and keys through the queue, results
// read back from the windows, the store and the settings file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

#include "DialogsTestSupport.h"
#include "Platform/Clock.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "Source/AboutForm.h"
#include "Source/DateChangeForm.h"
#include "Source/DialogRules.h"
#include "Source/PassChangeForm.h"
#include "Source/PasswordForm.h"
#include "Source/StatForm.h"
#include "Source/StoreData.h"
#include "Tools/Security/Password.h"
#include "Tools/Service/CardinalDate.h"
#include "Tools/Service/TextConst.h"
#include "tests/Store/StoreFixture.h"
#include "vkNames/MessageBoxForm.h"

namespace vk::test {
namespace {

using gui::MakeForm;
using gui::test::PostKey;
using gui::test::TextOf;

class DialogTest : public ModalTest {
 protected:
  void SetUp() override {
    ModalTest::SetUp();
    LoadEnglishTexts();
    dir.Write("vorkel.cfg", "[Keyboard]\r\nEnhanced=00000001\r\n");
    settings = std::make_unique<SettingsScope>(dir);
    CreateProgPass();
  }
  void TearDown() override {
    FreeProgPass();
    settings.reset();
    ModalTest::TearDown();
  }
  ScratchDir dir;
  std::unique_ptr<SettingsScope> settings;
};

TEST_F(DialogTest, PromptIsNotShownWithoutAPassword) {
  ASSERT_TRUE(ProgPass().SetPassword(""));
  auto prompt = MakeForm<TFormPass>();
  bool shown = false;
  WhenShowing([&] { shown = true; });
  EXPECT_FALSE(prompt->PasswordRejected());
  EXPECT_FALSE(prompt->Visible());
  gui::Application.ProcessMessages();
  EXPECT_TRUE(shown);  // the inspection ran in the test's own loop, not in a prompt
}

TEST_F(DialogTest, WrongPasswordIsRefusedInPlaceThenTheRightOneLogsIn) {
  ASSERT_TRUE(ProgPass().SetPassword("Склад"));
  auto prompt = MakeForm<TFormPass>();
  HWND edit = prompt->EditPass.Handle();
  WhenShowing([&] {
    EXPECT_EQ(TextOf(prompt->Handle()), L"Warehouse log in");
    EXPECT_EQ(static_cast<wchar_t>(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0)), gui::kPasswordBullet);
    Type(edit, L"склад");
    PostKey(edit, VK_RETURN);
    WhenShowing([&] {
      EXPECT_EQ(prompt->LbResult.Caption(), "Incorrect password..");
      EXPECT_TRUE(IsWindowVisible(prompt->Handle()));
      EXPECT_FALSE(prompt->LbLang.Caption().empty());
      EXPECT_TRUE(SaveWindowScreenshot(prompt->Handle(), ArtifactPath("FormPass-wrong-en.bmp")));
      SendMessageW(edit, EM_SETSEL, 0, -1);
      Type(edit, L"Склад");
      WhenShowing([&] {
        EXPECT_EQ(prompt->LbResult.Caption(), "");  // typing cleared the refusal
        PostKey(edit, VK_RETURN);
      });
    });
  });
  EXPECT_FALSE(prompt->PasswordRejected());
  EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(DialogTest, EscEndsThePromptWith333AndCancelWith2) {
  ASSERT_TRUE(ProgPass().SetPassword("secret"));
  auto prompt = MakeForm<TFormPass>();
  WhenShowing([&] {
    Type(prompt->EditPass.Handle(), L"sec");
    PostKey(prompt->EditPass.Handle(), VK_ESCAPE);
  });
  EXPECT_EQ(prompt->ShowModal(), kPasswordEscResult);
  WhenShowing([&] { PostMessageW(prompt->BtnCancel.Handle(), BM_CLICK, 0, 0); });
  EXPECT_TRUE(prompt->PasswordRejected());
  EXPECT_EQ(prompt->ModalResult(), gui::mrCancel);
}

TEST_F(DialogTest, PasswordChangeReportsTheOldPasswordFirstAndStoresTheNewOne) {
  ASSERT_TRUE(ProgPass().SetPassword("old"));
  auto form = MakeForm<TFormPassChange>();
  HWND oldEdit = form->EditPass.Handle(), newEdit = form->EditNewPass.Handle(),
       againEdit = form->EditNewPassConfirm.Handle();
  auto fill = [&](const std::wstring& old, const std::wstring& fresh, const std::wstring& again) {
    for (HWND edit : {oldEdit, newEdit, againEdit}) SetWindowTextW(edit, L"");
    Type(oldEdit, old);
    Type(newEdit, fresh);
    Type(againEdit, again);
    PostKey(againEdit, VK_RETURN);
  };
  WhenShowing([&] {
    EXPECT_EQ(form->ActiveControl(), &form->EditPass);
    fill(L"wrong", L"new1", L"new2");
    WhenShowing([&] {
      EXPECT_EQ(form->LbResult.Caption(), "Incorrect old password..");
      fill(L"old", L"Новый", L"новый");
      WhenShowing([&] {
        EXPECT_EQ(form->LbResult.Caption(), "The new password does not match..");
        EXPECT_TRUE(SaveWindowScreenshot(form->Handle(), ArtifactPath("FormPassChange-mismatch-en.bmp")));
        fill(L"old", L"Новый", L"Новый");
      });
    });
  });
  EXPECT_EQ(form->ShowModal(), gui::mrOk);
  EXPECT_TRUE(ProgPass().Check("Новый"));
  // Opened again, the window is empty.
  WhenShowing([&] {
    EXPECT_EQ(form->EditPass.Text(), "");
    EXPECT_EQ(form->LbResult.Caption(), "");
    PostKey(form->EditPass.Handle(), VK_ESCAPE);
  });
  EXPECT_EQ(form->ShowModal(), gui::mrCancel);
  EXPECT_TRUE(errors.empty()) << errors.front();
}

class WorkDateTest : public DialogTest {
 protected:
  platform::MemoryFileSystem fs;
  testing::FixedClock clock;
  TStore store{fs, clock.Clock()};
};

TEST_F(WorkDateTest, EscClearsTheWorkDateAndHandlesNoMessageWhileHiding) {
  store.SetWorkDate(testing::At(2026, 11, 30));
  auto form = MakeForm<TFormDateChange>(&store);
  constexpr UINT kMarker = WM_APP + 77;
  int markersSeen = 0;
  auto previous = gui::Application.OnMessage;
  gui::Application.OnMessage = [&](MSG& message, bool& handled) {
    if (message.message == kMarker) ++markersSeen;
    previous(message, handled);
  };
  WhenShowing([&] {
    EXPECT_EQ(form->EditUserDate->Text(), "11/30/2026");
    EXPECT_EQ(form->LbError.Caption(), "Esc - for restore system date");
    EXPECT_EQ(form->ActiveControl(), form->EditUserDate.get());
    PostKey(form->EditUserDate->Handle(), VK_ESCAPE);
    PostMessageW(gui::Application.Handle(), kMarker, 0, 0);
  });
  EXPECT_EQ(form->ShowModal(), gui::mrCancel);
  EXPECT_EQ(store.WorkDate(), 0);
  // The marker posted behind the Esc still waits: hiding handled no message.
  EXPECT_EQ(markersSeen, 0);
  gui::Application.ProcessMessages();
  EXPECT_EQ(markersSeen, 1);
  gui::Application.OnMessage = previous;
}

TEST_F(WorkDateTest, AnInvalidDateStaysAndAValidOneIsKept) {
  auto form = MakeForm<TFormDateChange>(&store);
  HWND edit = form->EditUserDate->Handle();
  WhenShowing([&] {
    EXPECT_EQ(form->LbError.Caption(), "");  // no work date yet
    SendMessageW(edit, EM_SETSEL, 0, -1);
    Type(edit, L"02312026");  // 31 February
    PostKey(edit, VK_RETURN);
    WhenShowing([&] {
      EXPECT_EQ(form->LbError.Caption(), "Invalid date entered..");
      EXPECT_TRUE(IsWindowVisible(form->Handle()));
      EXPECT_TRUE(SaveWindowScreenshot(form->Handle(), ArtifactPath("FormDateChange-invalid-en.bmp")));
      SendMessageW(edit, EM_SETSEL, 0, -1);
      Type(edit, L"1201");
      WhenShowing([&] {
        EXPECT_EQ(form->LbError.Caption(), "");
        Type(edit, L"26");  // a short year, completed on OK
        PostKey(edit, VK_RETURN);
      });
    });
  });
  EXPECT_EQ(form->ShowModal(), gui::mrOk);
  EXPECT_EQ(form->EditUserDate->Text(), "12/01/2026");
  EXPECT_EQ(store.WorkDate(), testing::At(2026, 12, 1));
  EXPECT_TRUE(errors.empty()) << errors.front();
}

class TotalsTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    testing::OpenStore(store);
    if (!FormMessageBox) gui::Application.CreateForm<TFormMessageBox>();
    // Three hundred products; the list is not left on its first record.
    for (int i = 1; i <= 300; ++i) {
      store.AddGoods(std::to_string(1000 + i), "Товар " + std::to_string(i), "12.50", "4.00", "2", "");
    }
    store.Goods().SetRecNo(150);
  }
  platform::MemoryFileSystem fs;
  testing::FixedClock clock;
  TStore store{fs, clock.Clock()};
  const char* codeNow = "";
};

TEST_F(TotalsTest, ShowsWholeTotalsAndNothingAfterAnOverflow) {
  auto form = MakeForm<TFormStat>(&store);
  ASSERT_TRUE(form->ShowTotals());
  EXPECT_EQ(form->LbNames.Caption(), "300");
  EXPECT_EQ(form->LbCount.Caption(), "600");
  EXPECT_EQ(form->LbWeight.Caption(), "1'200.00");
  EXPECT_EQ(form->LbSum.Caption(), "15'000.00");
  EXPECT_EQ(store.Goods().RecNo(), 150);
  WhenShowing([&] {
    EXPECT_TRUE(SaveWindowScreenshot(form->Handle(), ArtifactPath("FormStat-en.bmp")));
    PostKey(form->BtnOK.Handle(), VK_RETURN);
  });
  EXPECT_EQ(form->ShowModal(), gui::mrOk);

  // Two products worth 30 million each: their sum does not fit.
  store.AddGoods("9001", "Big one", "30'000'000.00", "1.00", "1", "");
  store.AddGoods("9002", "Big two", "30'000'000.00", "1.00", "1", "");
  std::string boxText;
  WhenShowing([&] {
    boxText = FormMessageBox->LbQuery.Caption();
    PostKey(FormMessageBox->Btn2.Handle(), VK_RETURN);
  });
  EXPECT_FALSE(form->ShowTotals());
  EXPECT_EQ(boxText, ProgTexts.TotalTooHigh);
  for (gui::TLabel* value : {&form->LbNames, &form->LbCount, &form->LbWeight, &form->LbSum}) {
    EXPECT_EQ(value->Caption(), "") << value->Name();
  }
  EXPECT_TRUE(errors.empty()) << errors.front();
}

// Each row's text and value, right-aligned in their boxes, neither running
// into the other nor out of the window, in both languages, with totals from
// hundreds to tens of millions; the window lives on and fits each time anew.
TEST_F(TotalsTest, TextsAndValuesStayApartInEachLanguageAndSize) {
  auto form = MakeForm<TFormStat>(&store);
  struct Case {
    void (*load)();
    const char* price;  // of one more product
    bool wider;         // than the window's own width
  } cases[] = {{LoadEnglishTexts, "0.00", false},
               {LoadRussianTexts, "0.00", false},
               {LoadRussianTexts, "41'000'000.00", true},
               {LoadEnglishTexts, "0.00", false},
               {LoadRussianTexts, "0.00", false}};
  int step = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(step);
    c.load();
    form->ApplyLanguage();
    if (std::string(c.price) != "0.00") store.AddGoods("8" + std::to_string(step), "Сейф", c.price, "1.00", "1", "");
    if (step == 3) {  // back to small totals
      TTableStore& goods = store.Goods();
      for (goods.First(); goods.Code.GetAsString() != "82"; goods.Next()) ASSERT_FALSE(goods.Eof());
      store.DeleteGoods();
    }
    ASSERT_TRUE(form->ShowTotals());
    const struct {
      gui::TLabel &text, &value;
    } rows[] = {{form->LbNamesText, form->LbNames},
                {form->LbWeightText, form->LbWeight},
                {form->LbCountText, form->LbCount},
                {form->LbSumText, form->LbSum}};
    for (const auto& row : rows) {
      const int textLeft =
          row.text.Left() + row.text.Width() - gui::ScreenTextWidth(row.text.Font(), row.text.Caption());
      const int valueLeft =
          row.value.Left() + row.value.Width() - gui::ScreenTextWidth(row.value.Font(), row.value.Caption());
      EXPECT_GE(textLeft, 0) << row.text.Caption();
      EXPECT_LT(row.text.Left() + row.text.Width(), valueLeft) << row.text.Caption() << " | " << row.value.Caption();
      EXPECT_LE(row.value.Left() + row.value.Width(), form->ClientWidth()) << row.value.Caption();
    }
    EXPECT_EQ(form->ClientWidth() > 254, c.wider);
    EXPECT_GT(form->BtnOK.Left() + form->BtnOK.Width(), form->ClientWidth() - 12) << "the button follows the edge";
    if (c.wider) {
      WhenShowing([&] {
        EXPECT_TRUE(SaveWindowScreenshot(form->Handle(), ArtifactPath("FormStat-millions-ru.bmp")));
        PostKey(form->BtnOK.Handle(), VK_RETURN);
      });
      EXPECT_EQ(form->ShowModal(), gui::mrOk);
    }
    ++step;
  }
  LoadEnglishTexts();
  EXPECT_TRUE(errors.empty()) << errors.front();
}

}  // namespace
}  // namespace vk::test

namespace vk::test {
namespace {

// Every dialog and the about window as a person sees them, in Russian,
// Ukrainian and English, kept under artifacts/ for people to look at; every
// label shows its whole text.
TEST_F(TotalsTest, EveryDialogInEachLanguage) {
  struct Language {
    const char* code;
    void (*load)();
    const char* cfgCode;
  } languages[] = {{"ru", LoadRussianTexts, "RUS"}, {"uk", LoadUkrainianTexts, "UKR"}, {"en", LoadEnglishTexts, "ENG"}};
  for (const Language& language : languages) {
    SCOPED_TRACE(language.code);
    language.load();
    FreeProgPass();
    settings.reset();
    TDateTime lastWeek = std::trunc(platform::Now()) - 7;
    char testDate[9];
    snprintf(testDate, sizeof testDate, "%08X", DateToCardinal(lastWeek));
    dir.Write("vorkel.cfg", std::string("[Updates]\r\nTestDate=") + testDate +
                                "\r\nLastVersion=9.9.9\r\n[Language]\r\nProgLang=" + language.cfgCode +
                                "\r\n[Keyboard]\r\nEnhanced=00000001\r\n");
    settings = std::make_unique<SettingsScope>(dir);
    CreateProgPass();
    store.SetWorkDate(testing::At(2026, 11, 30));
    auto shoot = [&](gui::TForm& form, const std::string& name) {
      WhenShowing([&form, name, this] {
        gui::test::PumpUntil([] { return false; }, 150);  // the frame is drawn by now
        EXPECT_TRUE(SaveWindowScreenshot(form.Handle(), ArtifactPath(name + "-" + std::string(codeNow) + ".bmp")));
        EXPECT_EQ(CutLabels(form), std::vector<std::string>{}) << name;
        PostKey(form.Handle(), VK_ESCAPE);
      });
      form.ShowModal();
    };
    codeNow = language.code;
    auto prompt = MakeForm<TFormPass>();
    shoot(*prompt, "FormPass");
    auto change = MakeForm<TFormPassChange>();
    shoot(*change, "FormPassChange");
    auto date = MakeForm<TFormDateChange>(&store);
    shoot(*date, "FormDateChange");
    auto stat = MakeForm<TFormStat>(&store);
    ASSERT_TRUE(stat->ShowTotals());
    shoot(*stat, "FormStat");
    auto about = MakeForm<TFormAbout>();
    about->HandleNeeded();
    EXPECT_FALSE(about->VersionCheckStarted());
    EXPECT_TRUE(about->NewVersionFlag());
    shoot(*about, "FormAbout");
    EXPECT_EQ(about->LbNewVersion.Caption(), ProgTexts.NewVersionNote);
  }
  EXPECT_TRUE(errors.empty()) << errors.front();
}

}  // namespace
}  // namespace vk::test
