#include "app/real_address.h"

#include "runtime/codepage.h"

namespace panscout {

namespace {
const Text kResultMarker = "<div class=\"sr\"></div>";
const Text kLinkMarker = "<a href=\"http://";
const Text kEndMarker = "\" onclick=";
}  // namespace

Text CutRealAddress(const Text& pageText) {
  int results = FindText(pageText, kResultMarker, std::nullopt, false);
  // Without the result marker (-1) the link is looked for from the page's start.
  int link = FindText(pageText, kLinkMarker, results, false);
  if (link == kNotFound) return {};
  int start = link + TextLength(kLinkMarker);
  int end = FindText(pageText, kEndMarker, start, false);
  if (end == kNotFound) return {};
  return MiddleText(pageText, start, end - start);
}

Text ResolveRealAddress(HitPageDownload& download, const Text& pageAddress, int kind,
                        const std::function<bool()>& abandoned) {
  if (kind < kFirstAddressKind || kind > kLastAddressKind) return Gbk("地址类型错误");
  return CutRealAddress(ToText(download.Download(pageAddress, abandoned)));
}

}  // namespace panscout
