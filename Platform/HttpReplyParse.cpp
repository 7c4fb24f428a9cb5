#include "Platform/HttpReplyParse.h"

#include <algorithm>
#include <optional>
#include <string>

#include "Core/SysUtils.h"

namespace vk::platform {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// A count in the given base, whole text; nothing for anything else or more
// than fits a 32-bit size with room to spare.
std::optional<std::size_t> Count(std::string_view text, int base) {
  if (text.empty() || text.size() > (base == 16 ? 7u : 9u)) return std::nullopt;
  std::size_t value = 0;
  for (char c : text) {
    const char l = Lower(c);
    const int digit = l >= '0' && l <= '9' ? l - '0' : l >= 'a' && l <= 'f' ? l - 'a' + 10 : base;
    if (digit >= base) return std::nullopt;
    value = value * base + static_cast<std::size_t>(digit);
  }
  return value;
}

[[noreturn]] void NotHttp(const char* what) { throw EOSError(std::string("not an HTTP reply: ") + what); }

// Where the body ends, from the reply's head.
struct Framing {
  bool Chunked = false;
  std::optional<std::size_t> Length;
};

Framing ReadHead(std::string_view head, HttpReply& reply) {
  std::size_t lineEnd = head.find('\n');
  const std::string_view status = head.substr(0, lineEnd);
  // "HTTP/1.1 200 OK"
  if (status.substr(0, 5) != "HTTP/" || status.find(' ') == std::string_view::npos) NotHttp("status line");
  const std::optional<std::size_t> code = Count(status.substr(status.find(' ') + 1, 3), 10);
  if (!code || *code < 100) NotHttp("status code");
  reply.Status = static_cast<int>(*code);
  Framing framing;
  while (lineEnd != std::string_view::npos) {
    const std::size_t start = lineEnd + 1;
    lineEnd = head.find('\n', start);
    const std::string_view line = head.substr(start, lineEnd == std::string_view::npos ? lineEnd : lineEnd - start);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string_view name = Trim(line.substr(0, colon)), value = Trim(line.substr(colon + 1));
    if (SameIgnoringCase(name, "Transfer-Encoding")) {
      framing.Chunked = !SameIgnoringCase(value, "identity");
    } else if (SameIgnoringCase(name, "Content-Length")) {
      framing.Length = Count(value, 10);
      if (!framing.Length) NotHttp("Content-Length");
    }
  }
  // No body follows these.
  if (reply.Status < 200 || reply.Status == 204 || reply.Status == 304) framing = {false, 0};
  return framing;
}

// The chunks so far into body; true after the last (empty) one.
bool ReadChunks(std::string_view data, bool closed, std::string& body, std::size_t maxBodyBytes) {
  for (std::size_t at = 0;;) {
    const std::size_t lineEnd = data.find('\n', at);
    if (lineEnd == std::string_view::npos) break;
    std::string_view sizeText = Trim(data.substr(at, lineEnd - at));
    sizeText = sizeText.substr(0, sizeText.find(';'));  // chunk extensions
    const std::optional<std::size_t> size = Count(Trim(sizeText), 16);
    if (!size) NotHttp("chunk size");
    if (*size == 0) return true;  // trailers are not waited for
    const std::size_t start = lineEnd + 1;
    body.append(data.substr(start, std::min(*size, data.size() - start)));
    if (body.size() > maxBodyBytes || data.size() - start < *size + 2) break;
    at = start + *size + 2;  // past the chunk's CR LF
  }
  if (body.size() > maxBodyBytes) return true;
  if (closed) throw EOSError("the connection ended inside the chunked body");
  return false;
}

}  // namespace

bool ParseHttpReply(std::string_view received, bool closed, const HttpLimits& limits, HttpReply& reply) {
  // The size first: a reply that is whole only past the limit is too long.
  if (received.size() > limits.MaxReplyBytes)
    throw EOSError("the reply is longer than " + std::to_string(limits.MaxReplyBytes) + " bytes");
  const std::size_t maxBodyBytes = limits.MaxBodyBytes;
  std::size_t headEnd = received.find("\r\n\r\n");
  std::size_t bodyStart = headEnd + 4;
  if (const std::size_t bare = received.find("\n\n"); bare < headEnd) headEnd = bare, bodyStart = bare + 2;
  if (headEnd == std::string_view::npos) {
    if (closed) throw EOSError(received.empty() ? "no reply" : "the connection ended inside the reply's head");
    return false;
  }
  HttpReply result;
  const Framing framing = ReadHead(received.substr(0, headEnd), result);
  const std::string_view data = received.substr(bodyStart);
  bool complete;
  if (framing.Chunked) {
    complete = ReadChunks(data, closed, result.Body, maxBodyBytes);
  } else {
    const std::size_t length = framing.Length.value_or(data.size());
    result.Body = data.substr(0, std::min(length, data.size()));
    complete = result.Body.size() > maxBodyBytes || (framing.Length ? data.size() >= length : closed);
    if (!complete && closed) throw EOSError("the connection ended inside the body");
  }
  if (!complete) return false;
  if (result.Body.size() > maxBodyBytes) result.Body.resize(maxBodyBytes + 1);
  reply = std::move(result);
  return true;
}

}  // namespace vk::platform
