#include "net/response_text.h"

#include <string_view>

#include "runtime/codepage.h"

namespace panscout {

Text Utf8PageToText(const Bytes& body) {
  std::string_view utf8(body.data);
  return Utf8ToGbk(utf8.substr(0, utf8.find('\0')));
}

Text WideToText(const Bytes& utf16le) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < utf16le.size(); i += 2) {
    auto low = static_cast<unsigned char>(utf16le.data[i]);
    auto high = static_cast<unsigned char>(utf16le.data[i + 1]);
    char16_t unit = static_cast<char16_t>(low | (high << 8));
    if (unit == 0) break;
    units.push_back(unit);
  }
  return Utf16ToGbk(units);
}

}  // namespace panscout
