#pragma once
// One plain HTTP GET, as the version check asks the product's web server for
// the newest version text.
//
// win32: WinINet (a system DLL), a direct connection without proxy, cache or
// cookies; redirects are not followed.
// posix: there is no HTTP client; every Get raises EOSError.

#include <cstddef>
#include <memory>
#include <string>

namespace vk::platform {

struct HttpReply {
  int Status = 0;
  // At most MaxBodyBytes + 1 bytes: a longer body shows as longer than the
  // limit without being read whole.
  std::string Body;
};

struct HttpLimits {
  std::size_t MaxBodyBytes = 64;
  // For connecting, sending and each wait for reply data.
  unsigned TimeoutMilliseconds = 10000;
};

// One GET at a time; Cancel may come from any other thread.
class HttpGetter {
 public:
  virtual ~HttpGetter() = default;

  // One GET of an "http://" URL with the client's default headers. Raises
  // EOSError, naming the URL, when the server cannot be reached, a step takes
  // longer than the timeout, or Cancel was called (before or during the call).
  // Any HTTP status is a reply, not an error.
  virtual HttpReply Get(const std::string& url, const HttpLimits& limits) = 0;
  // Makes a running Get end soon with EOSError and every later one at once.
  // Safe from any thread, also more than once.
  virtual void Cancel() = 0;
};

std::unique_ptr<HttpGetter> NewHttpGetter();

}  // namespace vk::platform
