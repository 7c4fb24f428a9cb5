#include "Gui/AppEvents.h"

#include "Gui/Application.h"

namespace vk::gui {

TApplicationEvents::TApplicationEvents() : previous_(std::move(Application.OnMessage)) {
  Application.OnMessage = [this](MSG& message, bool& handled) {
    if (OnMessage) OnMessage(message, handled);
    if (!handled && previous_) previous_(message, handled);
  };
}

TApplicationEvents::~TApplicationEvents() { Application.OnMessage = std::move(previous_); }

}  // namespace vk::gui
