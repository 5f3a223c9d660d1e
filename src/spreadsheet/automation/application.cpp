#include "spreadsheet/automation/application.h"

#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/session.h"

namespace tabrel::xl {

Application::Application() : session_(std::make_unique<Session>()) {}
Application::~Application() = default;

std::shared_ptr<Application> Application::New() { return std::shared_ptr<Application>(new Application()); }

Session& Application::session() {
  if (session_->quit) raise(Fault::ServerGone);
  return *session_;
}

const Session& Application::session() const {
  if (session_->quit) raise(Fault::ServerGone);
  return *session_;
}

std::shared_ptr<Application> Application::GetApplication() {
  session();
  return shared_from_this();
}

bool Application::DisplayAlerts() const { return session().display_alerts; }
void Application::SetDisplayAlerts(bool value) { session().display_alerts = value; }

void Application::Quit() {
  if (session_->quit) return;
  for (auto& book : session_->books) book->open = false;
  session_->books.clear();
  session_->active.reset();
  session_->quit = true;
}

}  // namespace tabrel::xl
