#include "net/handoff_record.h"

#include <algorithm>
#include <cstdint>

namespace panscout {

void HandOffRecord::WriteText(const Text& text) {
  // A stray zero byte would shift every later value, so a text ends at the first.
  stream_.append(text, 0, text.find('\0'));
  stream_.push_back('\0');
}

void HandOffRecord::WriteBytes(const Bytes& bytes) {
  auto length = static_cast<std::uint32_t>(bytes.size());
  for (int shift = 0; shift < 32; shift += 8) stream_.push_back(static_cast<char>(length >> shift));
  stream_.append(bytes.data);
}

Text HandOffRecord::ReadText() {
  std::size_t end = std::min(stream_.find('\0', cursor_), stream_.size());
  Text text = stream_.substr(cursor_, end - cursor_);
  cursor_ = std::min(end + 1, stream_.size());
  return text;
}

Bytes HandOffRecord::ReadBytes() {
  std::uint32_t length = 0;
  for (int shift = 0; shift < 32 && cursor_ < stream_.size(); shift += 8)
    length |= std::uint32_t{static_cast<unsigned char>(stream_[cursor_++])} << shift;
  Bytes bytes(stream_.substr(cursor_, length));
  cursor_ += bytes.size();
  return bytes;
}

void HandOffRecord::Clear() {
  stream_.clear();
  cursor_ = 0;
}

void WriteRequestShape(HandOffRecord& record, const HttpRequest& request) {
  record.WriteText(kRequestMarker);
  for (const Text* text : {&request.url, &request.method, &request.proxy, &request.userName,
                           &request.password, &request.extraHeaders, &request.postData})
    record.WriteText(*text);
}

HttpRequest ReadRequestTexts(HandOffRecord& record) {
  HttpRequest request;
  for (Text* text : {&request.url, &request.method, &request.proxy, &request.userName,
                     &request.password, &request.extraHeaders, &request.postData})
    *text = record.ReadText();
  return request;
}

void WriteResponseShape(HandOffRecord& record, const Text& headerText, const Bytes& body) {
  record.WriteText(kResponseMarker);
  record.WriteText(headerText);
  record.WriteBytes(body);
}

}  // namespace panscout
