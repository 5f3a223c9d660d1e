#include "update/curl_ftp_client.h"

#include <curl/curl.h>

#include <cstdio>
#include <mutex>
#include <system_error>
#include <vector>

namespace tabrel::update {

namespace {

// What a request's received bytes go to, with the most it may take.
struct Sink {
  std::FILE* file = nullptr;  // a transfer writes here ...
  std::string* text = nullptr; // ... a listing here
  std::int64_t limit = 0;
  std::int64_t received = 0;
};

size_t Receive(char* data, size_t size, size_t count, void* user) {
  auto* sink = static_cast<Sink*>(user);
  const size_t bytes = size * count;
  sink->received += static_cast<std::int64_t>(bytes);
  if (sink->received > sink->limit) return 0;  // libcurl fails the request
  if (sink->file) return std::fwrite(data, 1, bytes, sink->file);
  sink->text->append(data, bytes);
  return bytes;
}

bool PlainHost(const std::string& host) {
  if (host.empty()) return false;
  for (unsigned char c : host) {
    if (c <= ' ' || c == '/' || c == '@' || c == '?' || c == '#' || c == '[' || c == ']' || c == '\\' || c >= 0x7F) return false;
  }
  return true;
}

class CurlFtpClient final : public FtpClient {
 public:
  CurlFtpClient(CURL* curl, const std::string& agent, const FtpLimits& limits) : curl_(curl), limits_(limits) {
    curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl_, CURLOPT_USERAGENT, agent.c_str());
    // Active mode: the server connects back to the address of the control connection, with
    // PORT as the desktop's client sends it.
    curl_easy_setopt(curl_, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(curl_, CURLOPT_FTP_USE_EPRT, 0L);
    curl_easy_setopt(curl_, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(curl_, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, limits_.connect_seconds);
    curl_easy_setopt(curl_, CURLOPT_ACCEPTTIMEOUT_MS, limits_.connect_seconds * 1000);
    curl_easy_setopt(curl_, CURLOPT_SERVER_RESPONSE_TIMEOUT, limits_.response_seconds);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, limits_.low_speed_bytes);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, limits_.low_speed_seconds);
    curl_easy_setopt(curl_, CURLOPT_TIMEOUT, limits_.transfer_seconds);
    curl_easy_setopt(curl_, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits_.max_file_bytes));
    curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, Receive);
  }
  ~CurlFtpClient() override { curl_easy_cleanup(curl_); }

  bool Connect(const std::string& host, long port, const std::string& user, const std::string& password) override {
    if (!PlainHost(host) || port <= 0 || port > 65535) return false;
    curl_easy_setopt(curl_, CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(curl_, CURLOPT_PASSWORD, password.c_str());
    origin_ = "ftp://" + host + ":" + std::to_string(port);
    connected_ = Request(origin_ + "/", Mode::Nothing, nullptr) == CURLE_OK;
    return connected_;
  }

  bool SetCurrentDirectory(const std::string& folder) override {
    if (!connected_ || folder.empty() || folder.front() != '/') return false;
    std::string normal = folder;
    if (normal.back() != '/') normal += '/';
    if (Request(FolderUrl(normal), Mode::Nothing, nullptr) != CURLE_OK) return false;
    cwd_ = normal;
    return true;
  }

  std::optional<std::string> FindFirstFile(const std::string& name) override {
    if (!connected_) return std::nullopt;
    std::string listing;
    Sink sink{nullptr, &listing, limits_.max_listing_bytes, 0};
    custom_ = "NLST " + name;
    if (Request(FolderUrl(cwd_), Mode::Listing, &sink) != CURLE_OK) return std::nullopt;
    const size_t end = listing.find_first_of("\r\n");
    std::string found = listing.substr(0, end);
    if (const size_t slash = found.rfind('/'); slash != std::string::npos) found.erase(0, slash + 1);
    if (found.empty()) return std::nullopt;
    return found;
  }

  bool GetFile(const std::string& remote_name, const std::filesystem::path& local) override {
    if (!connected_ || remote_name.empty()) return false;
    std::filesystem::path aside = local;
    aside += ".download";
    std::FILE* file = std::fopen(aside.c_str(), "wb");
    if (!file) return false;
    Sink sink{file, nullptr, limits_.max_file_bytes, 0};
    const bool fetched = Request(FolderUrl(cwd_) + Escaped(remote_name), Mode::Transfer, &sink) == CURLE_OK;
    const bool closed = std::fclose(file) == 0;
    std::error_code ec;
    if (fetched && closed) {
      std::filesystem::rename(aside, local, ec);
      if (!ec) return true;
    }
    std::filesystem::remove(aside, ec);
    return false;
  }

 private:
  enum class Mode { Nothing, Listing, Transfer };

  CURLcode Request(const std::string& url, Mode mode, Sink* sink) {
    curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl_, CURLOPT_NOBODY, mode == Mode::Nothing ? 1L : 0L);
    curl_easy_setopt(curl_, CURLOPT_CUSTOMREQUEST, mode == Mode::Listing ? custom_.c_str() : nullptr);
    curl_easy_setopt(curl_, CURLOPT_WRITEDATA, sink);
    return curl_easy_perform(curl_);
  }

  std::string Escaped(const std::string& name) const {
    char* escaped = curl_easy_escape(curl_, name.data(), static_cast<int>(name.size()));
    std::string result = escaped ? escaped : "";
    curl_free(escaped);
    return result;
  }

  // The URL of an absolute server folder ending in "/". Its first segment "%2F" makes the path
  // absolute, so libcurl changes to the folder in one step from wherever the server stands.
  std::string FolderUrl(const std::string& folder) const {
    std::string url = origin_ + "/%2F";
    size_t start = 1;
    while (start < folder.size()) {
      const size_t slash = folder.find('/', start);
      url += Escaped(folder.substr(start, slash - start)) + "/";
      start = slash + 1;
    }
    if (url.back() != '/') url += '/';
    return url;
  }

  CURL* curl_;
  FtpLimits limits_;
  std::string origin_;
  std::string cwd_ = "/";
  std::string custom_;
  bool connected_ = false;
};

}  // namespace

std::unique_ptr<FtpClient> OpenCurlFtp(const std::string& agent, const FtpLimits& limits) {
  static const CURLcode global = curl_global_init(CURL_GLOBAL_DEFAULT);
  if (global != CURLE_OK) return nullptr;
  CURL* curl = curl_easy_init();
  if (!curl) return nullptr;
  return std::make_unique<CurlFtpClient>(curl, agent, limits);
}

}  // namespace tabrel::update
