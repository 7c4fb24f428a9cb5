#pragma once
// The monthly version check: what is asked (the query of version, Windows
// class, bitness and code page), when it is due, how the server's reply is
// judged and what the judgement writes into the settings.
//
// The reply is not trusted: only status 200 with a body of at most 64 bytes
// that, trimmed, is a version text (digits and dots, such as 1.44) counts.
// Anything else, an HTML page, an error page, a text with more lines, a
// megabyte, is a failed check that writes nothing; so is a reply longer than
// 4 KiB with its headers or not whole 10 s after the request.

#include <cstdint>
#include <optional>
#include <string>

#include "Core/DateTime.h"
#include "Platform/HttpGet.h"

namespace vk {

class TProgOptions;

inline constexpr char kVersionCheckPath[] = "/download/store.ver";
inline constexpr std::size_t kMaxVersionReplyBytes = 64;
// The whole exchange: the reply with its headers, and the time from the request.
inline constexpr std::size_t kMaxVersionExchangeBytes = 4096;
inline constexpr unsigned kVersionCheckTimeoutMs = 10000;

// "ver=<version without blanks>&win=<class name><bitness>&acp=<code page>",
// e.g. ver=1.43&win=Win10x64&acp=1251. A system code page of 65001 (UTF-8)
// is sent as "utf" and the locale's ANSI code page (utf1251).
std::string BuildVersionQuery(const std::string& productVersion, std::uint8_t versionClass, bool wow64,
                              std::uint32_t ansiCodePage, std::uint32_t localeAnsiCodePage);
// The same for the running program and system.
std::string SystemVersionQuery();

// The server the check asks: the configured one ("Updates"/"VersionServer",
// host or host:port) when it is a plain host name or address, else the
// product's own (ProductAddresses.h).
std::string VersionServer(const std::string& configured);
// VersionServer of the settings' "Updates"/"VersionServer".
std::string ConfiguredVersionServer(TProgOptions& options);
// "http://<server>/download/store.ver?<query>".
std::string VersionCheckUrl(const std::string& server, const std::string& query);

// Due when now is later than the same day one calendar month after the last
// successful check (day clamped to the month's end); a missing, zero or
// damaged date makes it due at once.
bool VersionCheckDue(TDateTime now, TDateTime testDate);

// Digits and dots, beginning and ending with a digit, no empty part.
bool IsVersionText(const std::string& text);

enum class TVersionReply {
  Failed,  // nothing to write
  Same,    // the server knows our version: the check date only
  Other,   // another version: the check date and the version
};
struct TVersionOutcome {
  TVersionReply Reply = TVersionReply::Failed;
  std::string Version;  // the trimmed reply, for Same and Other
  bool operator==(const TVersionOutcome&) const = default;
};
TVersionOutcome JudgeVersionReply(const platform::HttpReply& reply, const std::string& ownVersion);

// One whole check over the getter: the GET and the judgement. A getter that
// raises (no server, time-out, cancelled) gives a failed check; nothing is
// shown to the user.
class TVersionTest {
 public:
  TVersionTest(platform::HttpGetter& getter, const std::string& url, const std::string& ownVersion);

  bool Success() const { return outcome_.Reply != TVersionReply::Failed; }
  bool NewVersionAvailable() const { return outcome_.Reply == TVersionReply::Other; }
  // The reply's version; asserts NewVersionAvailable.
  const std::string& GetNewVersion() const;
  const TVersionOutcome& Outcome() const { return outcome_; }

 private:
  TVersionOutcome outcome_;
};

// The settings after a check, written on the GUI thread: a successful check
// stores the date, another version also the version. A failed one writes
// nothing.
void ApplyVersionOutcome(TProgOptions& options, const TVersionOutcome& outcome, TDateTime now);

// The about window's note: a version is known that is not ours.
bool NewVersionKnown(const std::string& lastVersion, const std::string& ownVersion);

}  // namespace vk
