// Where a POS library's posted events reach a session: the window the
// library is given as "queueHandle", whose posts arrive in the post target
// the scripted port installs (ui::InstallPostTarget).
//   POSIX   (post_receiver_posix.cpp): the port's own handle; the program
//           exports the posting call (ui/terminal/post_export_posix.cpp).
//   Windows (post_receiver_win32.cpp): a message-only window of a thread of
//           its own, which takes what USER32 delivers to it at once, so the
//           window system's queue never fills while the session is busy.
#pragma once

#include <memory>

#include "port/port.h"

namespace session {

class PostReceiver {
 public:
  PostReceiver();
  ~PostReceiver();
  PostReceiver(const PostReceiver&) = delete;
  PostReceiver& operator=(const PostReceiver&) = delete;

  ui::WindowHandle window() const;
  // Returns once everything posted before the call is in the post target.
  void Flush();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace session
