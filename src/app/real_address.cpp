#include "app/real_address.h"

#include "runtime/codepage.h"

namespace panscout {

Text CutRealAddress(const Text& pageText, const RealAddressMarkers& markers) {
  int results = markers.result.empty() ? kNotFound : FindText(pageText, markers.result, std::nullopt, false);
  // Without the result marker (-1) the link is looked for from the page's start.
  int link = FindText(pageText, markers.link, results, false);
  if (link == kNotFound) return {};
  int start = link + TextLength(markers.link);
  int end = FindText(pageText, markers.end, start, false);
  if (end == kNotFound) return {};
  return MiddleText(pageText, start, end - start);
}

Text ResolveRealAddress(HitPageDownload& download, const Text& pageAddress, int kind,
                        const RealAddressMarkers& markers, const std::function<bool()>& abandoned) {
  if (kind < kFirstAddressKind || kind > kLastAddressKind) return Gbk("地址类型错误");
  return CutRealAddress(ToText(download.Download(pageAddress, abandoned)), markers);
}

}  // namespace panscout
