#pragma once
// The opening and the closing that the version check and the download share: the client is
// opened, the pointer becomes the hourglass, the connection is made with the run's settings
// (the window repaints after each), and on leaving the connection and the client are closed and
// the pointer is back to the default, whatever path was taken.

#include <memory>

#include "shell/core/shell.h"
#include "update/ftp_client.h"
#include "update/mod_update.h"

namespace tabrel::update {

class FtpSession {
 public:
  enum class State { NotOpened, NotConnected, Connected };

  FtpSession(shell::Shell& shell, const ModUpdate& settings, const FtpOpener& open_ftp);
  ~FtpSession();
  FtpSession(const FtpSession&) = delete;
  FtpSession& operator=(const FtpSession&) = delete;

  State state() const { return state_; }
  FtpClient& connection() { return *client_; }  // only when Connected

 private:
  shell::Shell& shell_;
  std::unique_ptr<FtpClient> client_;
  State state_ = State::NotOpened;
};

}  // namespace tabrel::update
