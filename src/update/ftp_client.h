#pragma once
// The FTP client the update talks to: one connection, a current folder on the server, a search
// for one file and binary transfers into local files. The program uses the libcurl client;
// the interface keeps the update's procedures free of it.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tabrel::update {

class FtpClient {
 public:
  virtual ~FtpClient() = default;  // closes the connection

  // Connects and logs in; false when the server cannot be reached or refuses the account.
  virtual bool Connect(const std::string& host, long port, const std::string& user, const std::string& password) = 0;
  // Makes `folder` (absolute, ending in "/") the connection's current folder; false when the
  // server refuses it, and the current folder stays as it was.
  virtual bool SetCurrentDirectory(const std::string& folder) = 0;
  // The name of the current folder's file `name` as the server reports it; nothing when the
  // server finds none.
  virtual std::optional<std::string> FindFirstFile(const std::string& name) = 0;
  // Fetches `remote_name` of the current folder, bytes unchanged, into `local`, replacing it.
  // The local file appears only whole: a failed transfer leaves no file and returns false.
  virtual bool GetFile(const std::string& remote_name, const std::filesystem::path& local) = 0;
};

// Opens a client that names itself with the agent text, or gives nothing when the client
// cannot be set up.
using FtpOpener = std::function<std::unique_ptr<FtpClient>(const std::string& agent)>;

}  // namespace tabrel::update
