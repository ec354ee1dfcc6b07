// Every text operation on arbitrary bytes, checking the promises callers rely
// on: positions inside the text, matches where they are reported, no growth
// from removals.

#include <cstdlib>
#include <string>

#include "runtime/text.h"

using namespace panscout;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

unsigned char FoldCase(unsigned char b) { return (b >= 'A' && b <= 'Z') ? b + 32 : b; }

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const int start = static_cast<signed char>(data[0]);
  const int count = static_cast<signed char>(data[1]);
  const bool flag = data[2] & 1;
  std::string rest(reinterpret_cast<const char*>(data + 3), size - 3);
  auto cut = rest.find('\0');
  Text text = ToText(Bytes(rest));
  Text sought = cut == std::string::npos ? Text() : ToText(Bytes(rest.substr(cut + 1)));

  int found = FindText(text, sought, start, flag);
  Check(found == kNotFound || (found >= 1 && found <= TextLength(text)));
  if (found != kNotFound && !sought.empty()) {
    Text window = MiddleText(text, found, TextLength(sought));
    Check(flag ? SameIgnoringCase(window, sought) : window == sought);
  }

  Text removed = ReplaceSubtext(text, sought, Text(), start, count, flag);
  Check(removed.size() <= text.size());

  TextArray parts = SplitText(text, sought.empty() ? std::nullopt : std::optional<Text>(sought), count);
  std::size_t total = 0;
  for (const auto& p : parts) total += p.size();
  Check(total <= text.size());

  Check(RemoveAllSpaces(text).size() <= text.size());
  Check(UpperCase(text).size() == text.size());
  Check(LowerCase(text).size() == text.size());
  Check(ReplaceAt(text, start, count, sought).size() <= text.size() + sought.size());
  Check(LeftText(text, count).size() <= text.size());
  Check(MiddleText(text, start, count).size() <= text.size());
  ToInteger(text);
  ToNumber(text);
  Text encoded = UrlEncode(text, '+');
  Check(encoded.size() >= text.size() && encoded.size() <= 3 * text.size());
  ReadInteger(Bytes(rest));
  return 0;
}
