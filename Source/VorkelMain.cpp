// The main program's entry on Windows: the start-up host over the real
// system, the application object and the windows. The sequence itself is
// RunMainProgram (Startup.h).

#include <windows.h>

#include "Gui/Application.h"
#include "Platform/ProgramFolder.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"
#include "Source/AboutForm.h"
#include "Source/AppSelect.h"
#include "Source/DateChangeForm.h"
#include "Source/Exceptions.h"
#include "Source/EximRep.h"
#include "Source/EximRepHostWin32.h"
#include "Source/MainForm.h"
#include "Source/PassChangeForm.h"
#include "Source/PasswordForm.h"
#include "Source/Print.h"
#include "Source/PrintWin32.h"
#include "Source/Startup.h"
#include "Source/StatForm.h"
#include "Source/StoreDataCodePage.h"
#include "Tables/UField.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Security/Password.h"
#include "Tools/Service/GlassGradienter.h"
#include "Tools/Service/LocaleFormatSettings.h"
#include "Tools/Service/RegionInfo.h"
#include "Tools/Service/TextConst.h"
#include "Tools/Service/WindowsVersion.h"
#include "vkNames/MessageBoxCall.h"
#include "vkNames/MessageBoxForm.h"

namespace vk {
namespace {

void ShowOkBox(const std::string& text, const std::string& caption, int flags) {
  ShowMessageBox(text, caption, flags, "OK", ProgTexts.CloseMessageHint, "Cancel", "");
}

class TWin32StartupHost : public TStartupHost {
 public:
  std::string ProgramFolder() override { return platform::ProgramFolder(); }
  void SetProgramTitle(const std::string& title) override { vk::ProgramTitle = title; }

  bool TakeInstanceMutex(const std::string& name) override {
    mutex_.Reset(CreateMutexW(/*security=*/nullptr, /*initialOwner=*/FALSE, platform::Utf8ToWide(name).c_str()));
    if (!mutex_) return true;  // no mutex to be had: run alone rather than not at all
    // Owned now, also after an owner that ended without releasing it.
    return WaitForSingleObject(mutex_.Get(), 0) != WAIT_TIMEOUT;
  }
  void ReleaseInstanceMutex() override { mutex_.Reset(); }

  void ActivateRunningInstance(const std::string& title) override {
    HWND window = FindRunningInstance(title, "TApplication", {"TMainFormStore", "TFormPass"});
    if (window) vk::ActivateRunningInstance(window);
  }

  void CreateServices() override {
    FieldClasses();
    WindowsVersionClass();
    SystemAnsiCodePage();
    LoadLocaleFormatSettings();
    CreateProgOptions();
    ApplyDataCodePageSetting(Store(), ProgOptions());
    GlassGradienter();
    CreateProgPass();
    CreateSystemPrintManager();
    // Code without windows (printing, exports, imports) shows the program's box.
    SetProgramMessageBox(ShowMessageBox);
    InitEximRep(eximHost_);
  }
  void FreeServices() override {
    FreeEximRep();
    SetProgramMessageBox(nullptr);
    FreePrintManager();
    FreeProgPass();
    FreeProgOptions();
  }
  bool CyrillicSystem() override { return vk::CyrillicSystem(); }
  std::uint32_t StoredLanguage() override { return ProgOptions().GetProgLang(); }
  void LoadTexts(std::uint8_t language) override { LoadLanguageTexts(language); }

  void InitializeApplication(const std::string& title) override {
    gui::Application.Initialize();
    gui::Application.SetTitle(title);
    gui::Application.Handle();
    passwordForm_ = gui::Application.CreateForm<TFormPass>();
    gui::Application.CreateForm<TFormMessageBox>();
    // The main form is the main window, made after the prompt is gone.
    gui::Application.SetMainForm(nullptr);
    gui::Application.OnException = [this](const std::exception& error) { handler_.AppException(error); };
  }
  bool PasswordRejected() override {
    TFormPass* form = passwordForm_;
    passwordForm_ = nullptr;
    bool rejected = true;
    try {
      rejected = form->PasswordRejected();
    } catch (...) {
      gui::Application.FreeForm(form);
      throw;
    }
    gui::Application.FreeForm(form);
    return rejected;
  }
  TStore& Store() override { return vk::Store(); }
  void ShowBox(const std::string& text, const std::string& caption, int flags) override {
    ShowOkBox(text, caption, flags);
  }
  void CreateWindows(const std::string& title) override {
    auto* main = gui::Application.CreateForm<TMainFormStore>(Store());
    gui::Application.SetMainForm(main);
    main->SetCaption(title);
    gui::Application.CreateForm<TFormStat>(&Store());
    gui::Application.CreateForm<TFormAbout>();  // may start the version check
    gui::Application.CreateForm<TFormPassChange>(&ProgPass());
    gui::Application.CreateForm<TFormDateChange>(&Store());
  }
  void Run() override { gui::Application.Run(); }
  void ShowStartupError(const std::exception& error) override { handler_.AppException(error); }

 private:
  platform::UniqueKernelHandle mutex_;
  TFormPass* passwordForm_ = nullptr;
  TExImHostWin32 eximHost_;
  TExceptHandler handler_{ShowOkBox};
};

}  // namespace
}  // namespace vk

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    vk::TWin32StartupHost host;
    vk::RunMainProgram(host);
  } catch (const std::exception& error) {
    // Before the mutex: the program folder could not be found.
    MessageBoxW(nullptr, vk::platform::Utf8ToWide(error.what()).c_str(), L"Vorkel", MB_OK | MB_ICONSTOP);
  }
  return 0;
}
