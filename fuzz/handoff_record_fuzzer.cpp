// The record reader on arbitrary streams: declared lengths past the end,
// missing terminators, reads past the end. Values written are read back.

#include <cstdlib>
#include <string>

#include "net/handoff_record.h"

using namespace panscout;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);

  // Arbitrary bytes as the stream (texts cannot hold zero bytes, so the
  // stream is built from its zero-free pieces and their terminators).
  HandOffRecord raw;
  std::size_t begin = 0;
  while (begin <= input.size()) {
    auto end = input.find('\0', begin);
    if (end == std::string::npos) end = input.size();
    raw.WriteText(input.substr(begin, end - begin));
    begin = end + 1;
  }
  raw.Rewind();
  for (std::size_t i = 0; i < input.size() % 7 + 3; ++i) {
    if (i % 2) {
      raw.ReadBytes();
    } else {
      raw.ReadText();
    }
  }

  // What is written comes back.
  HandOffRecord record;
  Text text = ToText(Bytes(input));
  WriteResponseShape(record, text, Bytes(input));
  record.Rewind();
  if (record.ReadText() != kResponseMarker || record.ReadText() != text ||
      record.ReadBytes() != Bytes(input)) {
    std::abort();
  }
  return 0;
}
