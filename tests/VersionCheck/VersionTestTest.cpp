// The version check's decisions: the query, the server, the due date, the
// judgement of the reply and what it writes into a real settings file (in
// memory).
#include <gtest/gtest.h>

#include "Platform/HttpReplyParse.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Service/CardinalDate.h"
#include "Tools/Service/VersionTest.h"
#include "tests/Config/CfgTestSupport.h"

namespace vk {
namespace {

TDateTime Day(int year, int month, int day, int hour = 0) { return *TryEncodeDate(year, month, day) + hour / 24.0; }

TEST(VersionQuery, NamesVersionClassBitnessAndCodePage) {
  struct Case {
    const char* version;
    std::uint8_t versionClass;
    bool wow64;
    std::uint32_t acp, localeAcp;
    const char* expected;
  } cases[] = {
      {"1.43", 6, true, 1251, 1251, "ver=1.43&win=Win10x64&acp=1251"},
      {"1 .43", 7, true, 65001, 1251, "ver=1.43&win=Win11x64&acp=utf1251"},
      {"1.43", 7, false, 65001, 1252, "ver=1.43&win=Win11x32&acp=utf1252"},
      {"1.43", 0, false, 1252, 1252, "ver=1.43&win=2000x32&acp=1252"},
      {"1.43", 1, false, 1251, 1251, "ver=1.43&win=XPx32&acp=1251"},
      {"1.43", 2, true, 1250, 1250, "ver=1.43&win=Vistax64&acp=1250"},
      {"1.43", 3, true, 1251, 1251, "ver=1.43&win=Win7x64&acp=1251"},
      {"1.43", 4, false, 932, 932, "ver=1.43&win=Win8x32&acp=932"},
      {"1.43", 5, true, 1253, 1253, "ver=1.43&win=Win81x64&acp=1253"},
      {"", 8, false, 1251, 1251, "ver=&win=Otherx32&acp=1251"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildVersionQuery(c.version, c.versionClass, c.wow64, c.acp, c.localeAcp), c.expected);
  }
}

TEST(VersionQuery, UrlAsksTheConfiguredServerOnlyWhenItIsAPlainHost) {
  EXPECT_EQ(VersionCheckUrl(VersionServer(""), "ver=1.43&win=Win10x64&acp=1251"),
            "http://www.vorkel.example/download/store.ver?ver=1.43&win=Win10x64&acp=1251");
  EXPECT_EQ(VersionServer(" 127.0.0.1:8123 "), "127.0.0.1:8123");
  EXPECT_EQ(VersionServer("updates.vorkel.example"), "updates.vorkel.example");
  // Anything that would change the path or add a user is refused.
  for (const char* bad : {"evil.example/x?", "user@host", "host name", "host#frag", "\\\\share"}) {
    EXPECT_EQ(VersionServer(bad), "www.vorkel.example") << bad;
  }
}

TEST(VersionCheckDue, OneCalendarMonthAfterTheLastCheckWithTheDayClamped) {
  struct Case {
    TDateTime testDate, now;
    bool due;
  } cases[] = {
      {Day(2026, 3, 15), Day(2026, 4, 14, 23), false},  // the day before
      {Day(2026, 3, 15), Day(2026, 4, 15, 1), true},    // that day, after midnight
      {Day(2026, 3, 15), Day(2026, 4, 15), false},      // midnight itself is not later
      {Day(2026, 3, 15), Day(2026, 4, 16), true},       // the day after
      {Day(2026, 1, 31), Day(2026, 2, 27, 12), false},  // 31 January: 28 February
      {Day(2026, 1, 31), Day(2026, 2, 28, 12), true},
      {Day(2024, 1, 31), Day(2024, 2, 28, 12), false},  // leap year: 29 February
      {Day(2024, 1, 31), Day(2024, 2, 29, 12), true},
      {Day(2026, 12, 20), Day(2027, 1, 19), false},  // over the year's end
      {Day(2026, 12, 20), Day(2027, 1, 21), true},
      {0, Day(2026, 4, 1), true},                  // never checked
      {-5, Day(2026, 4, 1), true},                 // damaged
      {Day(9999, 12, 31), Day(2026, 4, 1), true},  // no next month
      {Day(2026, 5, 1), Day(2026, 4, 1), false},   // a check dated ahead waits for it
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VersionCheckDue(c.now, c.testDate), c.due) << c.testDate << " " << c.now;
  }
}

TEST(VersionReply, OnlyAShortVersionTextWithStatus200Counts) {
  const std::string megabyte(1 << 20, '1');
  struct Case {
    const char* name;
    platform::HttpReply reply;
    TVersionOutcome expected;
  } cases[] = {
      {"newer", {200, "1.44"}, {TVersionReply::Other, "1.44"}},
      {"newer with line end", {200, " 1.44\r\n"}, {TVersionReply::Other, "1.44"}},
      {"ours", {200, "1.43"}, {TVersionReply::Same, "1.43"}},
      {"ours with blanks", {200, "1.43 \n"}, {TVersionReply::Same, "1.43"}},
      {"older", {200, "1.42"}, {TVersionReply::Other, "1.42"}},
      {"not found", {404, "1.44"}, {}},
      {"server error", {500, ""}, {}},
      {"redirect", {302, "1.44"}, {}},
      {"html", {200, "<html><body>1.44</body></html>"}, {}},
      {"second line", {200, "1.44\r\nX=1"}, {}},
      {"megabyte", {200, megabyte.substr(0, kMaxVersionReplyBytes + 1)}, {}},
      {"64 digits", {200, std::string(64, '9')}, {TVersionReply::Other, std::string(64, '9')}},
      {"empty", {200, ""}, {}},
      {"blanks only", {200, " \r\n"}, {}},
      {"dots only", {200, ".."}, {}},
      {"leading dot", {200, ".44"}, {}},
      {"double dot", {200, "1..44"}, {}},
      {"letters", {200, "1.44b"}, {}},
      {"zero byte inside",
       {200, std::string("1.4\0"
                         "4",
                         5)},
       {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JudgeVersionReply(c.reply, "1.43"), c.expected) << c.name;
  }
  // Our version as the resource writes it, with a blank inside.
  EXPECT_EQ(JudgeVersionReply({200, "1.43"}, "1 .43").Reply, TVersionReply::Same);
}

// The received bytes as the getter feeds them: a reply ends where its head
// says, at the connection's end, or once the body passes the limit.
TEST(HttpReplyParse, TheBodyEndsWhereTheHeadSaysAtTheEndOrPastTheLimit) {
  enum Outcome { kMore, kReply, kFails };
  const std::string ok = "HTTP/1.1 200 OK\r\n", chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
  std::string endless = chunked;
  for (int i = 0; i < 100; ++i) endless += "1\r\n9\r\n";
  const platform::HttpLimits limits;  // 64 bytes of body, 4,096 in all
  // A whole reply of the given size in all, its head padded by a header.
  auto whole = [&](std::size_t size) {
    const std::string head = ok + "Content-Length: 4\r\nX-Filler: ", end = "\r\n\r\n1.44";
    return head + std::string(size - head.size() - end.size(), 'a') + end;
  };
  struct Case {
    std::string bytes;
    bool closed;
    Outcome outcome;
    platform::HttpReply reply;
  } cases[] = {
      {ok + "Content-Length: 4\r\n\r\n1.44", false, kReply, {200, "1.44"}},
      {ok + "Content-Length: 5\r\n\r\n1.44", false, kMore, {}},
      {ok + "Content-Length: 5\r\n\r\n1.44", true, kFails, {}},
      {"HTTP/1.0 200 OK\r\n\r\n1.44", false, kMore, {}},
      {"HTTP/1.0 200 OK\r\n\r\n1.44", true, kReply, {200, "1.44"}},
      {"HTTP/1.1 200 OK\nContent-Length: 4\n\n1.44", false, kReply, {200, "1.44"}},
      {chunked + "2\r\n1.\r\n2;x=y\r\n44\r\n0\r\n\r\n", false, kReply, {200, "1.44"}},
      {chunked + "2\r\n1.\r\n2\r\n44\r\n", false, kMore, {}},
      {chunked + "2\r\n1.\r\n2\r\n44\r\n", true, kFails, {}},
      {chunked + "zz\r\n", false, kFails, {}},
      {chunked + "100000000\r\n", false, kFails, {}},  // past a 32-bit size
      {endless, false, kReply, {200, std::string(65, '9')}},
      {ok + "Content-Length: 1000000\r\n\r\n" + std::string(100, '9'), false, kReply, {200, std::string(65, '9')}},
      {"HTTP/1.1 302 Found\r\nLocation: /x\r\nContent-Length: 0\r\n\r\n", false, kReply, {302, ""}},
      {ok + "X-Filler: aaaa\r\n", false, kMore, {}},
      {ok + "X-Filler: aaaa\r\n", true, kFails, {}},
      {"", true, kFails, {}},
      {"SSH-2.0-OpenSSH_9.2\r\n\r\n", false, kFails, {}},
      {whole(limits.MaxReplyBytes), false, kReply, {200, "1.44"}},
      {whole(limits.MaxReplyBytes + 1), false, kFails, {}},
      {whole(limits.MaxReplyBytes + 1), true, kFails, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.substr(0, 60) + (c.closed ? " (closed)" : ""));
    platform::HttpReply reply;
    if (c.outcome == kFails) {
      EXPECT_THROW(platform::ParseHttpReply(c.bytes, c.closed, limits, reply), EOSError);
      continue;
    }
    EXPECT_EQ(platform::ParseHttpReply(c.bytes, c.closed, limits, reply), c.outcome == kReply);
    EXPECT_EQ(reply.Status, c.reply.Status);
    EXPECT_EQ(reply.Body, c.reply.Body);
  }
}

// Replies, failures and a server that never answers, as a getter.
class ScriptedGetter : public platform::HttpGetter {
 public:
  explicit ScriptedGetter(std::function<platform::HttpReply()> answer) : answer_(std::move(answer)) {}
  platform::HttpReply Get(const std::string& url, const platform::HttpLimits& limits) override {
    Url = url;
    Limits = limits;
    return answer_();
  }
  void Cancel() override {}
  std::string Url;
  platform::HttpLimits Limits;

 private:
  std::function<platform::HttpReply()> answer_;
};

TEST(VersionTest, AsksTheTrimmedUrlWithTheLimitsAndSwallowsFailures) {
  ScriptedGetter newer([] { return platform::HttpReply{200, "1.44"}; });
  TVersionTest test(newer, "  http://host/download/store.ver?ver=1.43 ", "1.43");
  EXPECT_EQ(newer.Url, "http://host/download/store.ver?ver=1.43");
  EXPECT_EQ(newer.Limits.MaxBodyBytes, 64u);
  EXPECT_EQ(newer.Limits.MaxReplyBytes, 4096u);
  EXPECT_EQ(newer.Limits.TimeoutMilliseconds, 10000u);
  EXPECT_TRUE(test.Success());
  EXPECT_TRUE(test.NewVersionAvailable());
  EXPECT_EQ(test.GetNewVersion(), "1.44");

  ScriptedGetter timedOut([]() -> platform::HttpReply { throw EOSError("InternetReadFile: timed out"); });
  TVersionTest failed(timedOut, "http://host/", "1.43");
  EXPECT_FALSE(failed.Success());
  EXPECT_FALSE(failed.NewVersionAvailable());
  EXPECT_THROW(failed.GetNewVersion(), EAssertionFailed);
}

class VersionSettings : public ::testing::Test {
 protected:
  testing::FakeSystem sys;
  std::unique_ptr<TProgOptions> options =
      std::make_unique<TProgOptions>(testing::kCfgPath, testing::kKeyName, sys.Environment());
};

TEST_F(VersionSettings, OutcomesWriteTheDateAndOnlyAnotherVersion) {
  options->SetLastVersion("1.42");
  options->SetTestDate(Day(2026, 1, 10));
  const std::string before = sys.File();

  ApplyVersionOutcome(*options, {}, Day(2026, 3, 1, 9));
  EXPECT_EQ(sys.File(), before);  // a failed check writes nothing

  ApplyVersionOutcome(*options, {TVersionReply::Same, "1.43"}, Day(2026, 3, 2, 9));
  EXPECT_EQ(options->GetTestDate(), Day(2026, 3, 2, 9));
  EXPECT_EQ(options->GetLastVersion(), "1.42");

  ApplyVersionOutcome(*options, {TVersionReply::Other, "1.44"}, Day(2026, 4, 3, 9));
  EXPECT_EQ(options->GetTestDate(), Day(2026, 4, 3, 9));
  EXPECT_EQ(options->GetLastVersion(), "1.44");
  EXPECT_NE(sys.File().find("LastVersion=1.44"), std::string::npos);
  // The next start reads a date that is not yet due.
  EXPECT_FALSE(VersionCheckDue(Day(2026, 5, 2), options->GetTestDate()));
  EXPECT_TRUE(VersionCheckDue(Day(2026, 5, 4), options->GetTestDate()));
}

TEST_F(VersionSettings, TheServerComesFromTheSettingsWhenOneIsSet) {
  EXPECT_EQ(ConfiguredVersionServer(*options), "www.vorkel.example");
  sys.Files.Put(testing::kCfgPath, "[Updates]\r\nVersionServer=127.0.0.1:8765\r\n");
  auto reread = std::make_unique<TProgOptions>(testing::kCfgPath, testing::kKeyName, sys.Environment());
  EXPECT_EQ(ConfiguredVersionServer(*reread), "127.0.0.1:8765");
}

TEST(VersionNote, ShownForAKnownVersionThatIsNotOurs) {
  EXPECT_TRUE(NewVersionKnown("1.44", "1.43"));
  EXPECT_TRUE(NewVersionKnown("9.9.9", "1 .43"));
  EXPECT_FALSE(NewVersionKnown("", "1.43"));
  EXPECT_FALSE(NewVersionKnown(" 1.43\r\n", "1.43"));
  EXPECT_FALSE(NewVersionKnown("1.43", "1 .43"));
}

}  // namespace
}  // namespace vk
