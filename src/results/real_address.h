#pragma once
// The direct download address of a 115 hit, cut out of the hit's own page.

#include "runtime/text.h"

namespace panscout {

// Where the page of a hit comes from; the window's download keeps its events
// dispatched, tests serve pages of their own.
class HitPageDownload {
 public:
  virtual ~HitPageDownload() = default;
  // The whole body, or the empty buffer on any failure or time-out.
  virtual Bytes Download(const Text& url) = 0;
};

// Page layouts of the hosting sites; all three are cut the same way.
constexpr int kFirstAddressKind = 1;
constexpr int kLastAddressKind = 3;

// The host and path after "http://" of the page's download link, or the empty
// text when the page holds none.
Text CutRealAddress(const Text& pageText);

// Downloads the page and cuts its real address; "地址类型错误" for an unknown
// kind, without any download.
Text ResolveRealAddress(HitPageDownload& download, const Text& pageAddress, int kind);

}  // namespace panscout
