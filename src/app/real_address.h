#pragma once
// The direct download address of a 115 hit, cut out of the hit's own page.

#include <functional>

#include "runtime/text.h"
#include "search/sources.h"

namespace panscout {

// Where the page of a hit comes from; the window's download keeps its events
// dispatched, tests serve pages of their own.
class HitPageDownload {
 public:
  virtual ~HitPageDownload() = default;
  // The whole body, or the empty buffer on any failure or time-out, or once
  // `abandoned` (asked while the download runs, when given) turns true.
  virtual Bytes Download(const Text& url, const std::function<bool()>& abandoned) = 0;
};

// Page layouts of the hosting sites; all three are cut the same way.
constexpr int kFirstAddressKind = 1;
constexpr int kLastAddressKind = 3;

// The bytes between the link marker and the end marker after it (the host
// and path after "http://" for the 115 net disk), or the empty text when the
// page holds none.
Text CutRealAddress(const Text& pageText, const RealAddressMarkers& markers);

// Downloads the page and cuts its real address; "地址类型错误" for an unknown
// kind, without any download. The empty text once `abandoned` turns true.
Text ResolveRealAddress(HitPageDownload& download, const Text& pageAddress, int kind,
                        const RealAddressMarkers& markers, const std::function<bool()>& abandoned = {});

}  // namespace panscout
