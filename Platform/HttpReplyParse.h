#pragma once
// The bytes of an HTTP/1.1 reply, as far as they came, made into a reply:
// the status line, the headers that say where the body ends (Content-Length,
// Transfer-Encoding: chunked, else the connection's end) and the body.
// Portable; the getter of each platform feeds it what it received.

#include <cstddef>
#include <string_view>

#include "Platform/HttpGet.h"

namespace vk::platform {

// True once the received bytes hold the whole reply, which then goes to
// reply; a body longer than MaxBodyBytes ends the reply with its first
// MaxBodyBytes + 1 bytes (the rest is not waited for). False while more bytes
// are needed. closed says that no more will come. Raises EOSError (without
// the URL) for more than MaxReplyBytes received, whatever they hold, for
// bytes that are no HTTP reply and for a reply cut short by the connection's
// end.
bool ParseHttpReply(std::string_view received, bool closed, const HttpLimits& limits, HttpReply& reply);

}  // namespace vk::platform
