#pragma once
// The main program from its start to its end, as one explicit sequence: the
// program title and the single-instance mutex, the hand-over to a copy that
// already runs from the same folder, the shared services in their order, the
// interface language, the password prompt, the data folder with its day's
// copy, the windows and the message loop; and, whatever happens after the
// mutex is taken, the data closed and the mutex released at the end.
//
// The sequence is portable; what it asks of the system and the windows is a
// TStartupHost (the Windows program's, or a test's).

#include <cstdint>
#include <exception>
#include <string>

#include "Source/StoreData.h"
#include "Source/StoreDataOpen.h"

namespace vk {

// "mutexVorkel" and the hash of the capitalised title's UTF-8 text in eight
// upper-case hexadecimal digits. The name is kept nowhere: only this program
// takes it (the setup program and the uninstaller find a running copy by its
// windows).
std::string InstanceMutexName(const std::string& programTitle);

// The language the program starts in: the stored one (0 Russian, 1
// Ukrainian) on a Cyrillic system, English otherwise.
std::uint8_t StartLanguage(bool cyrillicSystem, std::uint32_t storedLanguage);

class TStartupHost {
 public:
  virtual ~TStartupHost() = default;

  // The folder of the program file.
  virtual std::string ProgramFolder() = 0;
  // Sets the title everywhere it is kept (the instance search's global).
  virtual void SetProgramTitle(const std::string& title) = 0;
  // Creates the named mutex and tries to own it; false when another process
  // owns it (a copy runs from this folder).
  virtual bool TakeInstanceMutex(const std::string& name) = 0;
  virtual void ReleaseInstanceMutex() = 0;
  // Finds the copy that runs under the title and asks it to the front.
  virtual void ActivateRunningInstance(const std::string& title) = 0;

  // The shared services, in order: field classes, version class, region,
  // settings over the program folder's file, the store's data code page,
  // the window look and the password. FreeServices undoes what was made.
  virtual void CreateServices() = 0;
  virtual void FreeServices() = 0;
  virtual bool CyrillicSystem() = 0;
  virtual std::uint32_t StoredLanguage() = 0;
  virtual void LoadTexts(std::uint8_t language) = 0;

  // The application object with the title; the password window and the
  // message box; the exception handler installed.
  virtual void InitializeApplication(const std::string& title) = 0;
  // Prompts only when a password is set; true when it did not end with OK.
  virtual bool PasswordRejected() = 0;
  virtual TStore& Store() = 0;
  virtual void ShowBox(const std::string& text, const std::string& caption, int flags) = 0;
  // The main window (captioned with the title) and the other windows.
  virtual void CreateWindows(const std::string& title) = 0;
  // The message loop, until the main window closes or the program is asked
  // to end.
  virtual void Run() = 0;
  // The program's error box for an exception that start-up could not handle.
  virtual void ShowStartupError(const std::exception& error) = 0;
};

// What became of a start.
enum class TStartupEnd { HandedOver, PasswordRejected, DataNotOpened, Ran, Failed };

TStartupEnd RunMainProgram(TStartupHost& host);

}  // namespace vk
