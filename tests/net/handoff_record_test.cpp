#include "net/handoff_record.h"

#include <gtest/gtest.h>

#include "net/http_engine.h"

namespace panscout {
namespace {

// A literal with its zero bytes, without the terminator.
template <std::size_t N>
std::string Raw(const char (&bytes)[N]) {
  return std::string(bytes, N - 1);
}

TEST(HandOffRecord, TextsAreZeroTerminatedAndBuffersLengthPrefixed) {
  HandOffRecord record;
  record.WriteText("ab");
  record.WriteText("");
  record.WriteBytes(Bytes(std::string("x\0y", 3)));
  record.WriteBytes(Bytes());
  EXPECT_EQ(record.Contents(), Raw("ab\0\0\x03\0\0\0x\0y\0\0\0\0"));
  record.Rewind();
  EXPECT_EQ(record.ReadText(), "ab");
  EXPECT_EQ(record.ReadText(), "");
  EXPECT_EQ(record.ReadBytes(), Bytes(std::string("x\0y", 3)));
  EXPECT_EQ(record.ReadBytes(), Bytes());
  // Past the end every value reads as empty.
  EXPECT_EQ(record.ReadText(), "");
  EXPECT_EQ(record.ReadBytes(), Bytes());
}

TEST(HandOffRecord, LengthsAreLittleEndianAndTextsEndAtAZeroByte) {
  HandOffRecord record;
  record.WriteBytes(Bytes(std::string(0x0102, 'q')));
  EXPECT_EQ(record.Contents().substr(0, 4), Raw("\x02\x01\0\0"));
  record.Clear();
  record.WriteText("tail");
  record.WriteBytes(Bytes("abc"));
  HandOffRecord cut;
  cut.WriteText(record.Contents().substr(0, record.Contents().size() - 1));
  EXPECT_EQ(cut.Contents(), Raw("tail\0"));  // a text ends at its first zero byte
  record.Rewind();
  EXPECT_EQ(record.ReadText(), "tail");
  EXPECT_EQ(record.ReadBytes(), Bytes("abc"));
}

TEST(HandOffRecord, ShapesCarryTheirMarkersAndValuesInOrder) {
  HandOffRecord record;
  WriteRequestShape(record, {"http://h/", "GET", "p:1", "u", "w", "X: 1\r\n", "d=1"});
  EXPECT_EQ(record.Contents(), Raw("Tarnbel\0http://h/\0GET\0p:1\0u\0w\0X: 1\r\n\0d=1\0"));
  record.Rewind();
  EXPECT_EQ(record.ReadText(), kRequestMarker);
  HttpRequest request = ReadRequestTexts(record);
  EXPECT_EQ(request.proxy, "p:1");
  EXPECT_EQ(request.postData, "d=1");

  record.Clear();
  WriteResponseShape(record, "HTTP/1.1 200 OK\r\n\r\n", Bytes("b"));
  EXPECT_EQ(record.Contents(),
            Raw("Tarnbel_OK\0HTTP/1.1 200 OK\r\n\r\n\0\x01\0\0\0b"));
}

TEST(HandOffRecord, EngineRefusesWhatIsNotARequest) {
  CookieStore cookies;
  EXPECT_FALSE(RunHttpRequest(nullptr, cookies));
  HandOffRecord record;
  record.WriteText("Tarnbel_OK");
  record.WriteText("http://127.0.0.1/");
  std::string before = record.Contents();
  EXPECT_FALSE(RunHttpRequest(&record, cookies));
  EXPECT_EQ(record.Contents(), before);
}

TEST(HandOffRecord, EngineEmptiesTheRecordWhenTheMethodIsRefused) {
  CookieStore cookies;
  HandOffRecord record;
  WriteRequestShape(record, {"http://127.0.0.1:9/", "DELETE", "", "", "", "", ""});
  EXPECT_FALSE(RunHttpRequest(&record, cookies));
  EXPECT_EQ(record.Contents(), "");
}

}  // namespace
}  // namespace panscout
