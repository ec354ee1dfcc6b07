#include "app/session.h"

#include "net/cookie_file.h"
#include "search/source_catalog.h"

namespace panscout {

std::filesystem::path UserCookieFile() { return UserDataDirectory() / "cookies.txt"; }

Session::Session(Hosts h, SourceTable s, NetworkSettings n, std::filesystem::path cookieFile,
                 std::filesystem::path linkCacheFile)
    : hosts(std::move(h)),
      sources(std::move(s)),
      network(std::move(n)),
      cookieFile_(std::move(cookieFile)),
      linkCacheFile_(std::move(linkCacheFile)) {
  if (!cookieFile_.empty()) LoadCookies(*cookies, cookieFile_);
  if (!linkCacheFile_.empty()) links.Load(linkCacheFile_);
}

Session::~Session() {
  if (!cookieFile_.empty()) SaveCookies(*cookies, cookieFile_);
  if (!linkCacheFile_.empty()) links.Save(linkCacheFile_);
}

}  // namespace panscout
