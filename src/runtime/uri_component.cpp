#include "runtime/uri_component.h"

#include <string_view>

#include "runtime/codepage.h"

namespace panscout {

Text EncodeUriComponent(const Text& gbk) {
  static constexpr std::string_view kKept = "-_.!~*'()";
  static constexpr char kHex[] = "0123456789ABCDEF";
  Text out;
  for (unsigned char b : GbkToUtf8(gbk)) {
    bool kept = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
                kKept.find(static_cast<char>(b)) != std::string_view::npos;
    if (kept) {
      out.push_back(static_cast<char>(b));
    } else {
      out += {'%', kHex[b >> 4], kHex[b & 0xF]};
    }
  }
  return out;
}

}  // namespace panscout
