#pragma once
// The in-memory stream a page fetch and its worker pass between them: the
// request shape going in, the response shape coming back.

#include <cstddef>
#include <string>

#include "net/http_request.h"
#include "runtime/text.h"

namespace panscout {

inline const Text kRequestMarker = "Tarnbel";
inline const Text kResponseMarker = "Tarnbel_OK";

// Texts are stored zero-terminated, byte buffers as a u32 little-endian length
// followed by their bytes. Reads run from a cursor; a value cut short by the
// end of the stream reads as what is left of it.
class HandOffRecord {
 public:
  void WriteText(const Text& text);
  void WriteBytes(const Bytes& bytes);
  Text ReadText();
  Bytes ReadBytes();

  void Rewind() { cursor_ = 0; }
  void Clear();
  const std::string& Contents() const { return stream_; }

 private:
  std::string stream_;
  std::size_t cursor_ = 0;
};

void WriteRequestShape(HandOffRecord& record, const HttpRequest& request);
// Reads the seven texts that follow the request marker.
HttpRequest ReadRequestTexts(HandOffRecord& record);
void WriteResponseShape(HandOffRecord& record, const Text& headerText, const Bytes& body);

}  // namespace panscout
