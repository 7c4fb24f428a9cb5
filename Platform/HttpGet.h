#pragma once
// One plain HTTP GET, as the version check asks the product's web server for
// the newest version text.
//
// win32: an HTTP/1.1 GET of our own over Winsock, a direct connection without
// proxy, cache or cookies; redirects are not followed. The limits below hold
// for the whole exchange, so a server can neither hold the request nor fill
// the memory (Wine's WinINet ignores its time-out options and reads a reply's
// head without bound). The connection is closed, never drained, at the end.
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
  // The whole reply as received: status line, headers and body.
  std::size_t MaxReplyBytes = 4096;
  // For everything from the request on: connecting, sending, the whole reply.
  unsigned TimeoutMilliseconds = 10000;
};

// One GET at a time; Cancel may come from any other thread.
class HttpGetter {
 public:
  virtual ~HttpGetter() = default;

  // One GET of an "http://" URL with the client's default headers. Raises
  // EOSError, naming the URL, when the server cannot be reached, the reply is
  // not whole within the timeout or is longer than MaxReplyBytes, is no HTTP
  // reply, or Cancel was called (before or during the call). Any HTTP status
  // is a reply, not an error.
  virtual HttpReply Get(const std::string& url, const HttpLimits& limits) = 0;
  // Makes a running Get end soon with EOSError and every later one at once.
  // Safe from any thread, also more than once.
  virtual void Cancel() = 0;
};

std::unique_ptr<HttpGetter> NewHttpGetter();

}  // namespace vk::platform
