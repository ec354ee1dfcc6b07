// The source toolbar stays live while a search runs.

#include <gtest/gtest.h>

#include "search/fixture_pages.h"
#include "search/search_harness.h"

namespace panscout {
namespace {

using testing::SearchHarness;

TEST(SourceSwitch, ARunningSiteSearchKeepsTheSourceItStartedWith) {
  for (int picked : {1, 3, 0, 99}) {
    SearchHarness h;
    h.SelectSource(2);
    h.pages.pages = {fixtures::BaiduSitePage(2, {12, 10}), fixtures::BaiduSitePage(2, {12, 2, 11})};
    h.pages.duringFetch = [&](int fetch) {
      if (fetch == 1) h.SelectSource(picked);
    };
    h.Press();
    ASSERT_EQ(h.pages.requested.size(), 2u) << picked;
    EXPECT_NE(h.pages.requested[1].find("&pn=10&"), std::string::npos) << h.pages.requested[1];
    EXPECT_EQ(h.results.RowCount(), 12) << picked;
    EXPECT_EQ(h.Cell(11, 2), fixtures::HitAddress(2, 12));
    EXPECT_EQ(h.state.Step(StepKind::kEngine).pageCounter, 0) << picked;
  }
}

TEST(SourceSwitch, AStartWithoutAKnownSourceEndsAtOnce) {
  for (int source : {0, 8, -1}) {
    SearchHarness h;
    h.SelectSource(source);
    h.results.SetStatus("x");
    h.Press();
    EXPECT_TRUE(h.pages.requested.empty());
    EXPECT_EQ(h.Status(), "状态：");
    EXPECT_EQ(h.window.CaptionUtf8(), "开始搜索");
    EXPECT_TRUE(h.window.keywordEnabled);
    EXPECT_FALSE(h.window.busyVisible);
  }
}

}  // namespace
}  // namespace panscout
