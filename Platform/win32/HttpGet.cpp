#include "Platform/HttpGet.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <mutex>

#include "Core/SysUtils.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"

namespace vk::platform {
namespace {

struct InternetHandleTraits {
  using Type = HINTERNET;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type value) noexcept { InternetCloseHandle(value); }
};
using UniqueInternetHandle = UniqueHandle<InternetHandleTraits>;

class WinInetGetter : public HttpGetter {
 public:
  ~WinInetGetter() override { CloseSession(); }

  HttpReply Get(const std::string& url, const HttpLimits& limits) override {
    HINTERNET session = OpenSession(url, limits);
    struct SessionCloser {
      WinInetGetter& getter;
      ~SessionCloser() { getter.CloseSession(); }
    } closer{*this};
    // No cache, no cookies, no dialogs; a redirect is a reply of its own.
    constexpr DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                            INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTO_REDIRECT;
    UniqueInternetHandle request(
        InternetOpenUrlW(session, Utf8ToWide(url).c_str(), /*headers=*/nullptr, 0, flags, /*context=*/0));
    if (!request) Fail("InternetOpenUrlW", url, GetLastError());
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoW(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        /*index=*/nullptr)) {
      Fail("HttpQueryInfoW", url, GetLastError());
    }
    HttpReply reply;
    reply.Status = static_cast<int>(status);
    char buffer[512];
    while (reply.Body.size() <= limits.MaxBodyBytes) {
      DWORD wanted = static_cast<DWORD>(std::min(sizeof buffer, limits.MaxBodyBytes + 1 - reply.Body.size()));
      DWORD got = 0;
      if (!InternetReadFile(request.Get(), buffer, wanted, &got)) Fail("InternetReadFile", url, GetLastError());
      if (got == 0) break;
      reply.Body.append(buffer, got);
    }
    return reply;
  }

  void Cancel() override {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    // Closing the root handle makes a call blocked on one of its children return.
    session_.Reset();
  }

 private:
  HINTERNET OpenSession(const std::string& url, const HttpLimits& limits) {
    std::lock_guard lock(mutex_);
    if (cancelled_) throw EOSError("GET " + url + ": cancelled");
    session_.Reset(InternetOpenW(L"Vorkel", INTERNET_OPEN_TYPE_DIRECT, /*proxy=*/nullptr, /*bypass=*/nullptr, 0));
    if (!session_) {
      DWORD error = GetLastError();
      throw EOSError("InternetOpenW for " + url + ": " + SystemErrorText(error));
    }
    DWORD timeout = limits.TimeoutMilliseconds;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                         INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT}) {
      InternetSetOptionW(session_.Get(), option, &timeout, sizeof timeout);
    }
    return session_.Get();
  }

  void CloseSession() {
    std::lock_guard lock(mutex_);
    session_.Reset();
  }

  [[noreturn]] void Fail(const char* call, const std::string& url, DWORD error) {
    bool cancelled;
    {
      std::lock_guard lock(mutex_);
      cancelled = cancelled_;
    }
    if (cancelled) throw EOSError("GET " + url + ": cancelled");
    throw EOSError(std::string(call) + " " + url + ": " + SystemErrorText(error));
  }

  std::mutex mutex_;
  UniqueInternetHandle session_;
  bool cancelled_ = false;
};

}  // namespace

std::unique_ptr<HttpGetter> NewHttpGetter() { return std::make_unique<WinInetGetter>(); }

}  // namespace vk::platform
