// The worker thread: it reports once and hands its outcome to the taker; at
// the end a running check is cancelled, and one stuck beyond the cancel does
// not hold the program nor report to a window that is gone.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "Core/SysUtils.h"
#include "Tools/Service/VersionTestThread.h"

namespace vk {
namespace {

using namespace std::chrono_literals;

// A server that accepts and does not answer: Get blocks until cancelled (or,
// when deaf, until released by the test).
class StalledGetter : public platform::HttpGetter {
 public:
  struct Control {
    std::mutex Mutex;
    std::condition_variable Changed;
    bool Entered = false, Cancelled = false, Released = false;
  };
  StalledGetter(std::shared_ptr<Control> control, bool deaf) : control_(std::move(control)), deaf_(deaf) {}

  platform::HttpReply Get(const std::string& url, const platform::HttpLimits&) override {
    std::unique_lock lock(control_->Mutex);
    control_->Entered = true;
    control_->Changed.notify_all();
    control_->Changed.wait(lock, [&] { return control_->Released || (!deaf_ && control_->Cancelled); });
    if (control_->Cancelled) throw EOSError("GET " + url + ": cancelled");
    return {200, "1.44"};
  }
  void Cancel() override {
    std::lock_guard lock(control_->Mutex);
    control_->Cancelled = true;
    control_->Changed.notify_all();
  }

 private:
  std::shared_ptr<Control> control_;
  bool deaf_;
};

class AnswerGetter : public platform::HttpGetter {
 public:
  explicit AnswerGetter(platform::HttpReply reply) : reply_(std::move(reply)) {}
  platform::HttpReply Get(const std::string&, const platform::HttpLimits&) override { return reply_; }
  void Cancel() override {}

 private:
  platform::HttpReply reply_;
};

void WaitUntil(const std::function<bool()>& condition) {
  for (int i = 0; i < 500 && !condition(); ++i) std::this_thread::sleep_for(10ms);
}

TEST(VersionTestThread, ReportsOnceAndHandsTheOutcomeOutOnce) {
  struct Case {
    platform::HttpReply reply;
    TVersionOutcome expected;
  } cases[] = {{{200, "9.9.9"}, {TVersionReply::Other, "9.9.9"}},
               {{200, "1.43"}, {TVersionReply::Same, "1.43"}},
               {{404, "Not found"}, {}}};
  for (const Case& c : cases) {
    std::atomic<int> reports{0};
    TVersionTestThread thread(std::make_unique<AnswerGetter>(c.reply), "http://host/", "1.43", [&] { ++reports; });
    WaitUntil([&] { return reports > 0; });
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(thread.Finished());
    EXPECT_EQ(thread.TakeOutcome(), c.expected);
    EXPECT_EQ(thread.TakeOutcome(), std::nullopt);
  }
}

TEST(VersionTestThread, EndingDuringAStalledCheckCancelsItWithoutAReport) {
  auto control = std::make_shared<StalledGetter::Control>();
  std::atomic<int> reports{0};
  auto started = std::chrono::steady_clock::now();
  {
    TVersionTestThread thread(std::make_unique<StalledGetter>(control, /*deaf=*/false), "http://host/", "1.43",
                              [&] { ++reports; });
    WaitUntil([&] {
      std::lock_guard lock(control->Mutex);
      return control->Entered;
    });
    EXPECT_FALSE(thread.Finished());
    EXPECT_EQ(thread.TakeOutcome(), std::nullopt);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, 900ms);
  EXPECT_TRUE(control->Cancelled);
  EXPECT_EQ(reports, 0);
}

TEST(VersionTestThread, AWorkerDeafToTheCancelIsLeftBehindAfterTheBoundedWait) {
  auto control = std::make_shared<StalledGetter::Control>();
  auto reports = std::make_shared<std::atomic<int>>(0);
  auto started = std::chrono::steady_clock::now();
  {
    TVersionTestThread thread(
        std::make_unique<StalledGetter>(control, /*deaf=*/true), "http://host/", "1.43", [reports] { ++*reports; },
        /*exitWait=*/200ms);
    WaitUntil([&] {
      std::lock_guard lock(control->Mutex);
      return control->Entered;
    });
  }
  auto waited = std::chrono::steady_clock::now() - started;
  EXPECT_GE(waited, 200ms);
  EXPECT_LT(waited, 900ms);
  // The worker, released at last, finds its state alive and reports to nobody.
  {
    std::lock_guard lock(control->Mutex);
    control->Released = true;
    control->Changed.notify_all();
  }
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(*reports, 0);
}

}  // namespace
}  // namespace vk
