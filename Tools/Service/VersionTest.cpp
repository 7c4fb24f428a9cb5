#include "Tools/Service/VersionTest.h"

#include <algorithm>

#include "Core/SysUtils.h"
#include "Platform/ProgramFolder.h"
#include "Platform/VersionResource.h"
#include "Tools/CfgFile/CfgParams.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Service/CardinalDate.h"
#include "Tools/Service/ProductAddresses.h"
#include "Tools/Service/RegionInfo.h"
#include "Tools/Service/Version.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk {
namespace {

constexpr char kUnit[] = "Tools\\Service\\VersionTest";
constexpr std::uint32_t kUtf8CodePage = 65001;

// Blanks and control characters (CR, LF, tab) at both ends.
std::string Trim(const std::string& s) {
  std::size_t first = 0, last = s.size();
  while (first < last && static_cast<unsigned char>(s[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(s[last - 1]) <= ' ') --last;
  return s.substr(first, last - first);
}

// Our version as the query sends it: a blank inside ("1 .43") is no part of it.
std::string WithoutBlanks(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
  return text;
}

bool IsHostChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == ':';
}

}  // namespace

std::string BuildVersionQuery(const std::string& productVersion, std::uint8_t versionClass, bool wow64,
                              std::uint32_t ansiCodePage, std::uint32_t localeAnsiCodePage) {
  std::string windows = WindowsVersionNames[std::min<std::size_t>(versionClass, WindowsVersionNames.size() - 1)];
  std::string codePage =
      ansiCodePage == kUtf8CodePage ? "utf" + std::to_string(localeAnsiCodePage) : std::to_string(ansiCodePage);
  return FormatVersionQuery(productVersion) + "&win=" + windows + BitnessNames[wow64 ? 1 : 0] + "&acp=" + codePage;
}

std::string SystemVersionQuery() {
  return BuildVersionQuery(GetProductVersion(platform::RunningProgramFile()), WindowsVersionClass(), RunsUnderWow64(),
                           SystemAnsiCodePage(), LocaleAnsiCodePage());
}

std::string VersionServer(const std::string& configured) {
  std::string server = Trim(configured);
  bool plain = !server.empty() && server.size() <= 255 && std::all_of(server.begin(), server.end(), IsHostChar);
  return plain ? server : std::string(kVersionServer);
}

std::string ConfiguredVersionServer(TProgOptions& options) {
  TStringParam server(&options, "Updates", "VersionServer");
  return VersionServer(server.GetValue());
}

std::string VersionCheckUrl(const std::string& server, const std::string& query) {
  return "http://" + server + kVersionCheckPath + "?" + query;
}

bool VersionCheckDue(TDateTime now, TDateTime testDate) {
  if (!(testDate > 0) || !IsValidDateTime(testDate)) return true;
  try {
    return now > NextMonth(testDate);
  } catch (const Exception&) {
    return true;
  }
}

bool IsVersionText(const std::string& text) {
  if (text.empty() || text.front() == '.' || text.back() == '.') return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '.') {
      if (text[i - 1] == '.') return false;
    } else if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

TVersionOutcome JudgeVersionReply(const platform::HttpReply& reply, const std::string& ownVersion) {
  if (reply.Status != 200 || reply.Body.size() > kMaxVersionReplyBytes) return {};
  std::string version = Trim(reply.Body);
  if (!IsVersionText(version)) return {};
  TVersionReply kind = version == WithoutBlanks(Trim(ownVersion)) ? TVersionReply::Same : TVersionReply::Other;
  return {kind, version};
}

TVersionTest::TVersionTest(platform::HttpGetter& getter, const std::string& url, const std::string& ownVersion) {
  try {
    platform::HttpLimits limits{kMaxVersionReplyBytes, kMaxVersionExchangeBytes, kVersionCheckTimeoutMs};
    outcome_ = JudgeVersionReply(getter.Get(Trim(url), limits), ownVersion);
  } catch (const std::exception&) {
    outcome_ = {};
  }
}

const std::string& TVersionTest::GetNewVersion() const {
  Assert(NewVersionAvailable(), "Before get new version number need test NewVersionAvailable property", kUnit);
  return outcome_.Version;
}

void ApplyVersionOutcome(TProgOptions& options, const TVersionOutcome& outcome, TDateTime now) {
  if (outcome.Reply == TVersionReply::Failed) return;
  options.SetTestDate(now);
  if (outcome.Reply == TVersionReply::Other) options.SetLastVersion(outcome.Version);
}

bool NewVersionKnown(const std::string& lastVersion, const std::string& ownVersion) {
  std::string last = Trim(lastVersion);
  return !last.empty() && last != WithoutBlanks(Trim(ownVersion));
}

}  // namespace vk
