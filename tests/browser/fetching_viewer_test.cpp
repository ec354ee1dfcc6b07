#include "browser/fetching_viewer.h"

#include <gtest/gtest.h>

#include "browser/document_accessor.h"
#include "net/page_source.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

TEST(DecodePageText, FollowsTheHeaderThenTheMetaThenTakesGbk) {
  const std::string utf8 = "中文";
  EXPECT_EQ(DecodePageText(Bytes(utf8), "Content-Type: text/html; charset=UTF-8\r\n"), Gbk("中文"));
  EXPECT_EQ(DecodePageText(Bytes("<meta charset='utf-8'>" + utf8), ""), "<meta charset='utf-8'>" + Gbk("中文"));
  EXPECT_EQ(DecodePageText(Bytes("\xEF\xBB\xBF" + utf8), ""), Gbk("中文"));
  EXPECT_EQ(DecodePageText(Bytes(Gbk("中文")), "Content-Type: text/html; charset=gbk\r\n"), Gbk("中文"));
  EXPECT_EQ(DecodePageText(Bytes(Gbk("中文")), ""), Gbk("中文"));
}

class FixedPage : public PageSource {
 public:
  Fetched Fetch(const Text& url, Text* headers) override {
    last = url;
    if (headers) *headers = "Content-Type: text/html; charset=utf-8\r\n";
    return {Bytes("<html>页</html>"), {}};
  }
  Text last;
};

TEST(FetchingViewer, AnAccessorBoundBeforeNavigationReadsTheNewPage) {
  FixedPage pages;
  FetchingViewer viewer(pages);
  DocumentAccessor accessor;
  ASSERT_TRUE(accessor.BindToViewer(viewer));
  EXPECT_EQ(accessor.ReadDocumentText("outerHTML"), "");
  viewer.Navigate("http://x/");
  EXPECT_EQ(viewer.ReadyState(), HtmlViewer::kReadyComplete);
  EXPECT_EQ(pages.last, "http://x/");
  EXPECT_EQ(accessor.ReadDocumentText("outerHTML"), "<html>" + Gbk("页") + "</html>");
  EXPECT_EQ(accessor.ReadDocumentText("title"), "");
  EXPECT_EQ(DocumentAccessor().ReadDocumentText("outerHTML"), "");
}

}  // namespace
}  // namespace panscout
