#include "app/real_address.h"

#include <gtest/gtest.h>

#include "runtime/codepage.h"
#include "support/built_in_sources.h"

namespace panscout {
namespace {

const RealAddressMarkers kMarkers = testing::Markers115();

const Text kLinked =
    "<div class=\"sr\"></div><p><a href=\"http://dl.example.test/f/abc.zip\" onclick=\"x()\">";

TEST(CutRealAddress, TakesTheBytesBetweenLinkAndEndMarker) {
  EXPECT_EQ(CutRealAddress(kLinked, kMarkers), "dl.example.test/f/abc.zip");
  // A link before the result marker is skipped.
  EXPECT_EQ(CutRealAddress("<a href=\"http://early\" onclick=" + kLinked, kMarkers), "dl.example.test/f/abc.zip");
}

TEST(CutRealAddress, WithoutResultMarkerSearchesFromTheStart) {
  EXPECT_EQ(CutRealAddress("<a href=\"http://host/p\" onclick=\"\"", kMarkers), "host/p");
}

TEST(CutRealAddress, NothingWithoutALinkOrEndMarkerAfterIt) {
  EXPECT_EQ(CutRealAddress("<div class=\"sr\"></div> no link here", kMarkers), "");
  // An end marker that stands only before the link does not count.
  EXPECT_EQ(CutRealAddress("\" onclick=<div class=\"sr\"></div><a href=\"http://host/p\">", kMarkers), "");
  // Touching markers give an empty address, which is no address.
  EXPECT_EQ(CutRealAddress("<a href=\"http://\" onclick=", kMarkers), "");
}

TEST(CutRealAddress, MarkersMatchWithExactCase) {
  EXPECT_EQ(CutRealAddress("<DIV CLASS=\"SR\"></DIV><A HREF=\"HTTP://host/p\" ONCLICK=", kMarkers), "");
  EXPECT_EQ(CutRealAddress("<a href=\"http://host/p\" ONCLICK= <a href=\"http://b/q\" onclick=", kMarkers),
            "host/p\" ONCLICK= <a href=\"http://b/q");
}

class RecordingDownload : public HitPageDownload {
 public:
  Bytes Download(const Text& url, const std::function<bool()>&) override {
    ++calls;
    lastUrl = url;
    return Bytes(page);
  }
  std::string page;
  std::string lastUrl;
  int calls = 0;
};

TEST(ResolveRealAddress, UnknownKindReportsWithoutDownloading) {
  RecordingDownload download;
  download.page = kLinked;
  EXPECT_EQ(ResolveRealAddress(download, "http://h/p", 0, kMarkers), Gbk("地址类型错误"));
  EXPECT_EQ(ResolveRealAddress(download, "http://h/p", 4, kMarkers), Gbk("地址类型错误"));
  EXPECT_EQ(download.calls, 0);
  for (int kind = 1; kind <= 3; ++kind) {
    EXPECT_EQ(ResolveRealAddress(download, "http://h/p", kind, kMarkers), "dl.example.test/f/abc.zip");
  }
  EXPECT_EQ(download.lastUrl, "http://h/p");
}

TEST(ResolveRealAddress, PageIsTakenUpToItsFirstZeroByte) {
  RecordingDownload download;
  download.page = std::string("<a href=\"http://host/p") + '\0' + "\" onclick=";
  EXPECT_EQ(ResolveRealAddress(download, "http://h/p", 1, kMarkers), "");
}

}  // namespace
}  // namespace panscout
