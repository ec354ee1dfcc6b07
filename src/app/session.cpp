#include "app/session.h"

#include "net/cookie_file.h"
#include "search/source_catalog.h"

namespace panscout {

std::filesystem::path UserCookieFile() { return UserDataDirectory() / "cookies.txt"; }

Session::Session(Hosts h, SourceTable s, NetworkSettings n, std::filesystem::path cookieFile)
    : hosts(std::move(h)), sources(std::move(s)), network(std::move(n)), cookieFile_(std::move(cookieFile)) {
  if (!cookieFile_.empty()) LoadCookies(*cookies, cookieFile_);
}

Session::~Session() {
  if (!cookieFile_.empty()) SaveCookies(*cookies, cookieFile_);
}

}  // namespace panscout
