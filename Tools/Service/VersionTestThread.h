#pragma once
// The version check's worker thread. It only fetches: one TVersionTest over
// its own getter, then it tells the GUI thread through Done (which must do no
// more than post a message) and ends. The GUI thread takes the outcome and
// writes the settings itself, so no setting is written from two threads.
//
// Destroying the object (at the latest when the program ends) cancels a
// running check and waits for the worker a bounded time; Done is never called
// after that, and a worker still stuck in the system's network calls is left
// to end by itself with everything it uses kept alive.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Tools/Service/VersionTest.h"

namespace vk {

inline constexpr std::chrono::milliseconds kVersionCheckExitWait{1000};

class TVersionTestThread {
 public:
  using DoneProc = std::function<void()>;

  // Starts the worker at once.
  TVersionTestThread(std::unique_ptr<platform::HttpGetter> getter, std::string url, std::string ownVersion,
                     DoneProc done, std::chrono::milliseconds exitWait = kVersionCheckExitWait);
  ~TVersionTestThread();
  TVersionTestThread(const TVersionTestThread&) = delete;
  TVersionTestThread& operator=(const TVersionTestThread&) = delete;

  bool Finished() const;
  // The outcome once the worker finished, handed out once; nothing before.
  std::optional<TVersionOutcome> TakeOutcome();

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  std::chrono::milliseconds exitWait_;
};

}  // namespace vk
