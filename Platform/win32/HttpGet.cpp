#include "Platform/HttpGet.h"

// Before windows.h (through the headers below), which would bring the old
// socket interface.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <atomic>
#include <chrono>

#include "Core/SysUtils.h"
#include "Platform/HttpReplyParse.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"

// A GET of our own over Winsock rather than WinINet: the limits of the whole
// exchange are ours to keep. Wine's WinINet ignores its time-out options and
// reads a reply's head without bound inside InternetOpenUrlW, so a server
// that streams header lines, trickles, or never answers held the check (and
// its memory) for as long as it liked. Here every wait is a select against
// one deadline counted from the request, the bytes read are counted against
// one limit, and the socket is closed, never drained, when either is passed.

namespace vk::platform {
namespace {

using Clock = std::chrono::steady_clock;
// How often a wait looks at Cancel.
constexpr std::chrono::milliseconds kCancelSlice{50};

struct SocketTraits {
  using Type = SOCKET;
  static Type Invalid() noexcept { return INVALID_SOCKET; }
  static bool Close(Type value) noexcept { return closesocket(value) == 0; }
};
using UniqueSocket = UniqueHandle<SocketTraits>;

struct AddressListTraits {
  using Type = addrinfo*;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type value) noexcept { freeaddrinfo(value); }
};
using UniqueAddressList = UniqueHandle<AddressListTraits>;

// "http://host[:port]/path?query".
struct Target {
  std::string Host, Port = "80", HostHeader, Path = "/";
};

Target SplitUrl(const std::string& url) {
  constexpr std::string_view scheme = "http://";
  if (url.compare(0, scheme.size(), scheme) != 0) throw EOSError("GET " + url + ": not an http:// URL");
  Target target;
  const std::size_t pathStart = url.find_first_of("/?", scheme.size());
  target.HostHeader = url.substr(scheme.size(), pathStart - scheme.size());
  if (pathStart != std::string::npos) target.Path = url.substr(pathStart);
  if (target.Path.front() != '/') target.Path.insert(0, "/");
  const std::size_t colon = target.HostHeader.find(':');
  target.Host = target.HostHeader.substr(0, colon);
  if (colon != std::string::npos) target.Port = target.HostHeader.substr(colon + 1);
  if (target.Host.empty() || target.Port.empty()) throw EOSError("GET " + url + ": no host");
  return target;
}

bool WinsockStarted() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

class SocketGetter : public HttpGetter {
 public:
  HttpReply Get(const std::string& url, const HttpLimits& limits) override {
    url_ = url;
    deadline_ = Clock::now() + std::chrono::milliseconds(limits.TimeoutMilliseconds);
    timeout_ = limits.TimeoutMilliseconds;
    StopIfCancelled();
    const Target target = SplitUrl(url);
    if (!WinsockStarted()) Fail("WSAStartup", WSAGetLastError());
    UniqueSocket socket = Connect(target);
    const std::string request = "GET " + target.Path + " HTTP/1.1\r\nHost: " + target.HostHeader +
                                "\r\nUser-Agent: Vorkel\r\nAccept: */*\r\nConnection: close\r\n\r\n";
    for (std::size_t sent = 0; sent < request.size();) {
      Wait(socket.Get(), /*forWriting=*/true);
      const int count = send(socket.Get(), request.data() + sent, static_cast<int>(request.size() - sent), 0);
      if (count == SOCKET_ERROR) {
        if (WSAGetLastError() != WSAEWOULDBLOCK) Fail("send", WSAGetLastError());
        continue;
      }
      sent += static_cast<std::size_t>(count);
    }
    return Receive(socket.Get(), limits);
  }

  void Cancel() override { cancelled_ = true; }

 private:
  UniqueSocket Connect(const Target& target) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    // The name lookup is the system's and has no deadline of ours.
    const int looked = getaddrinfo(target.Host.c_str(), target.Port.c_str(), &hints, &found);
    if (looked != 0) Fail("getaddrinfo", static_cast<DWORD>(looked));
    UniqueAddressList addresses(found);
    DWORD error = WSAEHOSTUNREACH;
    for (const addrinfo* address = addresses.Get(); address; address = address->ai_next) {
      UniqueSocket socket(::socket(address->ai_family, address->ai_socktype, address->ai_protocol));
      if (!socket) {
        error = WSAGetLastError();
        continue;
      }
      u_long nonBlocking = 1;
      if (ioctlsocket(socket.Get(), FIONBIO, &nonBlocking) != 0) Fail("ioctlsocket", WSAGetLastError());
      if (connect(socket.Get(), address->ai_addr, static_cast<int>(address->ai_addrlen)) == 0) return socket;
      error = WSAGetLastError();
      if (error != WSAEWOULDBLOCK) continue;
      Wait(socket.Get(), /*forWriting=*/true);
      int result = 0, size = sizeof result;
      getsockopt(socket.Get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&result), &size);
      if (result == 0) return socket;
      error = static_cast<DWORD>(result);
    }
    Fail("connect", error);
  }

  HttpReply Receive(SOCKET socket, const HttpLimits& limits) {
    std::string received;
    HttpReply reply;
    char buffer[1024];
    for (;;) {
      Wait(socket, /*forWriting=*/false);
      // One byte past the limit shows a reply that is too long.
      const std::size_t room = std::min(sizeof buffer, limits.MaxReplyBytes + 1 - received.size());
      const int count = recv(socket, buffer, static_cast<int>(room), 0);
      if (count == SOCKET_ERROR) {
        if (WSAGetLastError() != WSAEWOULDBLOCK) Fail("recv", WSAGetLastError());
        continue;
      }
      received.append(buffer, static_cast<std::size_t>(count));
      try {
        if (ParseHttpReply(received, /*closed=*/count == 0, limits, reply)) return reply;
      } catch (const EOSError& e) {
        throw EOSError("GET " + url_ + ": " + e.what());
      }
    }
  }

  // Until the socket is ready, within the deadline; Cancel is seen within a slice.
  void Wait(SOCKET socket, bool forWriting) {
    for (;;) {
      StopIfCancelled();
      const auto left = deadline_ - Clock::now();
      if (left <= Clock::duration::zero()) {
        throw EOSError("GET " + url_ + ": no whole reply within " + std::to_string(timeout_) + " ms");
      }
      const auto slice =
          std::chrono::duration_cast<std::chrono::microseconds>(std::min<Clock::duration>(left, kCancelSlice));
      timeval wait{0, static_cast<long>(slice.count()) + 1};
      fd_set ready, failed;
      FD_ZERO(&ready);
      FD_ZERO(&failed);
      FD_SET(socket, &ready);
      FD_SET(socket, &failed);
      const int count =
          select(/*nfds=*/0, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr, &failed, &wait);
      if (count == SOCKET_ERROR) Fail("select", WSAGetLastError());
      if (count > 0) return;  // ready, or failed: the next call says how
    }
  }

  void StopIfCancelled() const {
    if (cancelled_) throw EOSError("GET " + url_ + ": cancelled");
  }

  [[noreturn]] void Fail(const char* call, DWORD error) const {
    StopIfCancelled();
    throw EOSError(std::string(call) + " " + url_ + ": " + SystemErrorText(error));
  }

  std::atomic<bool> cancelled_{false};
  std::string url_;
  Clock::time_point deadline_;
  unsigned timeout_ = 0;
};

}  // namespace

std::unique_ptr<HttpGetter> NewHttpGetter() { return std::make_unique<SocketGetter>(); }

}  // namespace vk::platform
