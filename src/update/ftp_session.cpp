#include "update/ftp_session.h"

#include "runtime/numbers.h"
#include "spreadsheet/core/text.h"

namespace tabrel::update {

FtpSession::FtpSession(shell::Shell& shell, const ModUpdate& settings, const FtpOpener& open_ftp) : shell_(shell) {
  client_ = open_ftp ? open_ftp(kAgent) : nullptr;
  if (!client_) return;
  state_ = State::NotConnected;
  shell_.SetMousePointer(shell::kPointerHourglass);
  shell_.DoEvents();
  const double port = rt::Val(from_utf8(settings.UpdatePort));
  const bool connected = port >= 1 && port <= 65535 &&
                         client_->Connect(settings.UpdateServer, static_cast<long>(port), settings.UpdateUser,
                                          settings.UpdatePassword);
  shell_.DoEvents();
  if (connected) state_ = State::Connected;
}

FtpSession::~FtpSession() {
  client_.reset();
  shell_.SetMousePointer(shell::kPointerDefault);
}

}  // namespace tabrel::update
