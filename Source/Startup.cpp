#include "Source/Startup.h"

#include <cstdio>

#include "Core/SysUtils.h"
#include "Core/Utf8.h"
#include "Platform/Locale.h"
#include "Source/AppSelectRules.h"
#include "Tools/Security/Hash.h"
#include "Tools/Service/TextConst.h"

namespace vk {
namespace {

// Runs at the end of every start that took the mutex, also after an
// exception; each step is tried even when one before it failed.
class MutexScope {
 public:
  explicit MutexScope(TStartupHost& host) : host_(host) {}
  ~MutexScope() {
    BestEffort([&] { CloseStoreData(host_.Store()); });
    BestEffort([&] { host_.FreeServices(); });
    BestEffort([&] { host_.ReleaseInstanceMutex(); });
  }
  MutexScope(const MutexScope&) = delete;
  MutexScope& operator=(const MutexScope&) = delete;

 private:
  TStartupHost& host_;
};

TStartupEnd OpenAndRun(TStartupHost& host, const std::string& title) {
  host.CreateServices();
  const std::uint8_t language = StartLanguage(host.CyrillicSystem(), host.StoredLanguage());
  host.LoadTexts(language);
  host.InitializeApplication(title);
  if (host.PasswordRejected()) return TStartupEnd::PasswordRejected;
  const TShowBox box = [&host](const std::string& text, const std::string& caption, int flags) {
    host.ShowBox(text, caption, flags);
  };
  if (!OpenStoreData(host.Store(), box)) return TStartupEnd::DataNotOpened;
  host.CreateWindows(title);
  host.Run();
  return TStartupEnd::Ran;
}

}  // namespace

std::string InstanceMutexName(const std::string& programTitle) {
  // The running program is found by its title ignoring letter case, so the
  // mutex is too: a folder started as "c:\vorkel" and as "C:\Vorkel" is one.
  // The hash is over the title's own text, not its bytes in the system's code
  // page, where letters the code page lacks would all be one "?".
  const std::string folded = Utf16ToUtf8(platform::UpperCaseText(Utf8ToUtf16(programTitle)));
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(HashString(folded)));
  return std::string("mutexVorkel") + hex;
}

std::uint8_t StartLanguage(bool cyrillicSystem, std::uint32_t storedLanguage) {
  if (cyrillicSystem && storedLanguage == kLangRussian) return kLangRussian;
  if (cyrillicSystem && storedLanguage == kLangUkrainian) return kLangUkrainian;
  return kLangEnglish;
}

TStartupEnd RunMainProgram(TStartupHost& host) {
  const std::string title = MakeProgramTitle(host.ProgramFolder());
  host.SetProgramTitle(title);
  if (!host.TakeInstanceMutex(InstanceMutexName(title))) {
    BestEffort([&] { host.ActivateRunningInstance(title); });
    return TStartupEnd::HandedOver;
  }
  MutexScope scope(host);
  try {
    return OpenAndRun(host, title);
  } catch (const std::exception& error) {
    BestEffort([&] { host.ShowStartupError(error); });
  } catch (...) {
    BestEffort([&] { host.ShowStartupError(Exception("Unknown exception")); });
  }
  return TStartupEnd::Failed;
}

}  // namespace vk
