#include "tests/post_receiver.h"
#include "ui/scripted/scripted_port.h"

namespace session {

// The exported posting call puts each post in the post target at once.
struct PostReceiver::Impl {};

PostReceiver::PostReceiver() = default;
PostReceiver::~PostReceiver() = default;

ui::WindowHandle PostReceiver::window() const {
  return ui::ScriptedPort::kMainWindow;
}

void PostReceiver::Flush() {}

}  // namespace session
