#include "Platform/HttpGet.h"

#include "Core/SysUtils.h"

namespace vk::platform {
namespace {

class NoHttpGetter : public HttpGetter {
 public:
  HttpReply Get(const std::string& url, const HttpLimits&) override {
    throw EOSError("GET " + url + ": no HTTP client on this system");
  }
  void Cancel() override {}
};

}  // namespace

std::unique_ptr<HttpGetter> NewHttpGetter() { return std::make_unique<NoHttpGetter>(); }

}  // namespace vk::platform
