#include "app/gui/web_engine_viewer.h"

#include <QWebEngineView>
#include <gtest/gtest.h>

#include "browser/document_accessor.h"
#include "gui/gui_test_support.h"
#include "runtime/codepage.h"
#include "support/local_http_server.h"

namespace panscout {
namespace {

using testing::WaitDispatching;

class WebEngineViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_.server().Get("/utf8", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("<html><head><meta charset=\"utf-8\"><title>种子</title></head>"
                      "<body><p id=\"hit\">电影 1.2GB</p></body></html>",
                      "text/html; charset=utf-8");
    });
    server_.server().Get("/gbk", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(Gbk("<html><body><p>讯6 网盘</p></body></html>"), "text/html; charset=gbk");
    });
    server_.Start();
    view_.hide();  // the page-automation viewer is never shown
  }

  bool LoadAndWait(const std::string& path) {
    viewer_.Navigate(server_.Url(path));
    EXPECT_NE(viewer_.ReadyState(), HtmlViewer::kReadyComplete);
    return WaitDispatching([&] { return viewer_.ReadyState() == HtmlViewer::kReadyComplete; },
                           std::chrono::seconds(60));
  }

  testing::LocalHttpServer server_;
  QWebEngineView view_;
  WebEngineViewer viewer_{&view_};
};

TEST_F(WebEngineViewerTest, ReadsTheLoadedRootElementAsGbk) {
  EXPECT_EQ(viewer_.ReadyState(), WebEngineViewer::kReadyUninitialized);
  DocumentAccessor accessor;
  ASSERT_TRUE(accessor.BindToViewer(viewer_));  // bound before navigating, as the search does
  ASSERT_TRUE(LoadAndWait("/utf8"));
  Text html = accessor.ReadDocumentText("outerHTML");
  EXPECT_EQ(html.rfind("<html>", 0), 0u) << html;
  EXPECT_NE(html.find(Gbk("<p id=\"hit\">电影 1.2GB</p>")), std::string::npos) << GbkToUtf8(html);
  EXPECT_EQ(accessor.ReadDocumentText("innerText").find(Gbk("电影")) != std::string::npos, true);
  EXPECT_EQ(accessor.ReadDocumentText("title"), Gbk("种子"));
  EXPECT_EQ(accessor.ReadDocumentText("noSuchProperty"), "");
  EXPECT_EQ(accessor.ReadDocumentText("title');alert('x"), "");

  // The same accessor reads the next page after a later navigation.
  ASSERT_TRUE(LoadAndWait("/gbk"));
  EXPECT_NE(accessor.ReadDocumentText("outerHTML").find(Gbk("讯6 网盘")), std::string::npos);
}

TEST_F(WebEngineViewerTest, AFailedLoadCompletesWithoutADocument) {
  DocumentAccessor accessor;
  ASSERT_TRUE(accessor.BindToViewer(viewer_));
  viewer_.Navigate("http://127.0.0.1:1/refused");
  ASSERT_TRUE(WaitDispatching([&] { return viewer_.ReadyState() == HtmlViewer::kReadyComplete; },
                              std::chrono::seconds(60)));
  EXPECT_EQ(accessor.ReadDocumentText("outerHTML"), "");
  ASSERT_TRUE(LoadAndWait("/gbk"));
  EXPECT_NE(accessor.ReadDocumentText("outerHTML").find(Gbk("讯6 网盘")), std::string::npos);
}

}  // namespace
}  // namespace panscout
