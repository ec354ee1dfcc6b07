// Page bodies of any bytes through every conversion to GBK text.

#include <cstdlib>
#include <cstring>
#include <string>

#include "browser/fetching_viewer.h"
#include "net/response_text.h"
#include "runtime/codepage.h"

using namespace panscout;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  Bytes body(input);
  if (Utf8PageToText(body).find('\0') != std::string::npos) std::abort();
  if (WideToText(body).find('\0') != std::string::npos) std::abort();
  Utf8ToGbk(input);
  GbkToUtf8(input);
  GbkToUtf16(input);
  std::u16string units(input.size() / 2, u'\0');
  std::memcpy(units.data(), input.data(), units.size() * 2);
  Utf16ToGbk(units);
  DecodePageText(body, ToText(body));
  return 0;
}
