#pragma once
// TApplicationEvents: a window's own look at every message of the
// application's loops (the application's OnMessage hook), for as long as the
// object lives. Hooks chain: the newest sees a message first, then the one
// it replaced unless the message was handled. Objects must end in the
// reverse order of their making (a dialog's hook ends before its owner's).

#include <windows.h>

#include <functional>

namespace vk::gui {

class TApplicationEvents {
 public:
  TApplicationEvents();
  ~TApplicationEvents();
  TApplicationEvents(const TApplicationEvents&) = delete;
  TApplicationEvents& operator=(const TApplicationEvents&) = delete;

  std::function<void(MSG& message, bool& handled)> OnMessage;

 private:
  std::function<void(MSG& message, bool& handled)> previous_;
};

}  // namespace vk::gui
