#include "Tools/Service/VersionTestThread.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

namespace vk {

// Everything the worker touches; it holds its own reference, so a worker that
// outlives the object still finds it all alive.
struct TVersionTestThread::Shared {
  std::unique_ptr<platform::HttpGetter> Getter;
  DoneProc Done;
  std::mutex Mutex;
  std::condition_variable Changed;
  bool Finished = false;
  bool Abandoned = false;
  std::optional<TVersionOutcome> Outcome;
  std::thread Worker;
};

TVersionTestThread::TVersionTestThread(std::unique_ptr<platform::HttpGetter> getter, std::string url,
                                       std::string ownVersion, DoneProc done, std::chrono::milliseconds exitWait)
    : shared_(std::make_shared<Shared>()), exitWait_(exitWait) {
  shared_->Getter = std::move(getter);
  shared_->Done = std::move(done);
  shared_->Worker = std::thread([shared = shared_, url = std::move(url), own = std::move(ownVersion)] {
    TVersionOutcome outcome;
    try {
      outcome = TVersionTest(*shared->Getter, url, own).Outcome();
    } catch (...) {
      outcome = {};  // nothing may leave the thread
    }
    std::lock_guard lock(shared->Mutex);
    shared->Outcome = std::move(outcome);
    shared->Finished = true;
    if (!shared->Abandoned && shared->Done) {
      try {
        shared->Done();
      } catch (...) {
      }
    }
    shared->Changed.notify_all();
  });
}

TVersionTestThread::~TVersionTestThread() {
  {
    std::lock_guard lock(shared_->Mutex);
    shared_->Abandoned = true;
  }
  shared_->Getter->Cancel();
  bool finished;
  {
    std::unique_lock lock(shared_->Mutex);
    finished = shared_->Changed.wait_for(lock, exitWait_, [&] { return shared_->Finished; });
  }
  if (finished) {
    shared_->Worker.join();
  } else {
    shared_->Worker.detach();
  }
}

bool TVersionTestThread::Finished() const {
  std::lock_guard lock(shared_->Mutex);
  return shared_->Finished;
}

std::optional<TVersionOutcome> TVersionTestThread::TakeOutcome() {
  std::lock_guard lock(shared_->Mutex);
  if (!shared_->Finished) return std::nullopt;
  return std::exchange(shared_->Outcome, std::nullopt);
}

}  // namespace vk
