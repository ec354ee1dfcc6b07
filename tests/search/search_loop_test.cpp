#include <gtest/gtest.h>

#include "search/fixture_pages.h"
#include "search/search_harness.h"

namespace panscout {
namespace {

using fixtures::PageSpec;
using fixtures::SitePage;
using namespace testing::statuses;
using testing::SearchHarness;

// Pages of ten and a last shorter page, as a service serves `total` hits.
std::deque<std::string> PagesFor(int total, const std::function<std::string(const PageSpec&)>& page) {
  std::deque<std::string> pages;
  for (int first = 1; first <= total; first += 10) {
    pages.push_back(page({total, std::min(10, total - first + 1), first}));
  }
  return pages;
}

// Two full pages and one hit more: the list reaches the stated total only on the
// last page, one pass after a page boundary.
constexpr int kListed = 21;

void ExpectIdleLook(const SearchHarness& h) {
  EXPECT_EQ(h.window.CaptionUtf8(), "开始搜索");
  EXPECT_TRUE(h.window.keywordEnabled);
  EXPECT_FALSE(h.window.busyVisible);
}

class EverySiteSource : public ::testing::TestWithParam<int> {};

TEST_P(EverySiteSource, ListsEveryHitOfEveryPageIncludingTheShortLastOne) {
  const int source = GetParam();
  SearchHarness h;
  h.SelectSource(source);
  h.pages.pages = PagesFor(kListed, [source](const PageSpec& s) { return SitePage(source, s); });
  h.Press();

  ASSERT_EQ(h.results.RowCount(), kListed);
  for (int k = 1; k <= kListed; ++k) {
    EXPECT_EQ(h.Cell(k - 1, 0), fixtures::HitName(source, k)) << "row " << k;
    EXPECT_EQ(h.Cell(k - 1, 2), fixtures::HitAddress(source, k)) << "row " << k;
    if (source != 7) EXPECT_EQ(h.Cell(k - 1, 1), fixtures::HitSize(k)) << "row " << k;
  }
  EXPECT_EQ(h.pages.requested.size(), 3u);
  EXPECT_EQ(h.Status(), kDone);
  ExpectIdleLook(h);
  EXPECT_FALSE(h.state.Step(StepKind::kSite).running);
  EXPECT_EQ(h.state.Step(StepKind::kSite).pageCounter, 20);  // an end leaves the counter alone
}

INSTANTIATE_TEST_SUITE_P(Sources, EverySiteSource, ::testing::Values(2, 3, 4, 5, 6, 7));

TEST(SiteStep, PagesCarryOffsetsFromZeroAndTheNextSearchStartsAtZeroAgain) {
  SearchHarness h;
  h.SelectSource(2);
  h.pages.pages = PagesFor(12, [](const PageSpec& s) { return SitePage(2, s); });
  h.Press();
  h.pages.pages = PagesFor(5, [](const PageSpec& s) { return SitePage(2, s); });
  h.Press();
  ASSERT_EQ(h.pages.requested.size(), 3u);
  EXPECT_NE(h.pages.requested[0].find("&pn=0&"), std::string::npos);
  EXPECT_NE(h.pages.requested[1].find("&pn=10&"), std::string::npos);
  EXPECT_NE(h.pages.requested[2].find("&pn=0&"), std::string::npos);
  EXPECT_EQ(h.results.RowCount(), 5);
}

TEST(SiteStep, ShortPageBeforeTheStatedTotalStillListsItsHitsAndEnds) {
  SearchHarness h;
  h.SelectSource(3);
  h.pages.pages = {SitePage(3, {40, 10, 1}), SitePage(3, {40, 4, 11})};
  h.Press();
  EXPECT_EQ(h.results.RowCount(), 14);
  EXPECT_EQ(h.Cell(13, 0), fixtures::HitName(3, 14));
  EXPECT_EQ(h.Status(), kDone);
  ExpectIdleLook(h);
}

TEST(SiteStep, NoResultPhraseEndsAtOnce) {
  SearchHarness h;
  h.SelectSource(5);
  h.pages.pages = {fixtures::BaiduNoResultPage()};
  h.Press();
  EXPECT_EQ(h.results.RowCount(), 0);
  EXPECT_EQ(h.Status(), kNothing);
  ExpectIdleLook(h);
}

TEST(SiteStep, PageWithoutTotalEndsInsteadOfPagingForever) {
  SearchHarness h;
  h.SelectSource(6);
  h.pages.pages = {SitePage(6, {-1, 0, 1})};
  h.Press();
  EXPECT_EQ(h.Status(), kNothing);
  EXPECT_EQ(h.pages.requested.size(), 1u);

  h.pages.pages = {SitePage(6, {30, 10, 1}), SitePage(6, {-1, 0, 11})};
  h.Press();
  EXPECT_EQ(h.results.RowCount(), 10);
  EXPECT_EQ(h.Status(), kDone);
  ExpectIdleLook(h);
}

TEST(SiteStep, FailedFetchEndsWithTheNetworkStatus) {
  SearchHarness h;
  h.SelectSource(2);
  h.pages.pages = {SitePage(2, {25, 10, 1})};  // the second fetch fails
  h.Press();
  EXPECT_EQ(h.results.RowCount(), 10);
  EXPECT_EQ(h.Status(), kNoNetwork);
  ExpectIdleLook(h);
}

TEST(SiteStep, ExtraLinkListsTitlesWithoutAddressesAndEnds) {
  SearchHarness h;
  h.SelectSource(2);
  h.pages.pages = {fixtures::BaiduSitePage(2, {25, 10, 1, /*extraLinks=*/1})};
  h.Press();
  ASSERT_EQ(h.results.RowCount(), 10);
  EXPECT_EQ(h.Cell(0, 0), fixtures::HitName(2, 1));
  EXPECT_EQ(h.Cell(0, 2), "");
  EXPECT_EQ(h.Cell(9, 1), fixtures::HitSize(10));
  EXPECT_EQ(h.Status(), kDone);
  EXPECT_EQ(h.pages.requested.size(), 1u);
}

TEST(SiteStep, OneSizeShortGivesUnknownSizeOnEveryRowOfThePage) {
  SearchHarness h;
  h.SelectSource(3);
  h.pages.pages = {fixtures::BaiduSitePage(3, {10, 10, 1, 0, /*missingSizes=*/1})};
  h.Press();
  ASSERT_EQ(h.results.RowCount(), 10);
  for (int row = 0; row < 10; ++row) EXPECT_EQ(h.Cell(row, 1), "不详");
  EXPECT_EQ(h.Cell(9, 2), fixtures::HitAddress(3, 10));
}

TEST(SiteStep, TotalsWithThousandsSeparatorsAndApproximation) {
  SearchHarness h;
  h.SelectSource(2);
  h.pages.pages = {SitePage(2, {1230, 10, 1})};  // then the fetch fails
  h.Press();
  EXPECT_EQ(h.state.reportedTotal, 1230);
  h.SelectSource(4);
  h.pages.pages = {SitePage(4, {2000, 10, 1})};
  h.Press();
  EXPECT_EQ(h.state.reportedTotal, 2000);
}

TEST(EngineStep, ListsEveryPageAndEndsLikeTheOtherSteps) {
  SearchHarness h;
  h.SelectSource(1);
  h.pages.pages = PagesFor(23, fixtures::TazhaoPage);
  h.Press();
  ASSERT_EQ(h.results.RowCount(), 23);
  EXPECT_EQ(h.Cell(22, 0), fixtures::HitName(1, 23));
  EXPECT_EQ(h.Cell(22, 1), fixtures::HitSize(23));
  EXPECT_EQ(h.Cell(22, 2), fixtures::HitAddress(1, 23));
  EXPECT_EQ(h.pages.requested.size(), 3u);
  EXPECT_NE(h.pages.requested[2].find("&p=20"), std::string::npos);
  EXPECT_EQ(h.Status(), kDone);
  ExpectIdleLook(h);
}

TEST(EngineStep, ElevenLinksGiveTenRowsWithoutAddresses) {
  SearchHarness h;
  h.SelectSource(1);
  h.pages.pages = {fixtures::TazhaoPage({0, 10, 1, /*extraLinks=*/1})};
  h.Press();
  ASSERT_EQ(h.results.RowCount(), 10);
  EXPECT_EQ(h.Cell(9, 1), fixtures::HitSize(10));
  EXPECT_EQ(h.Cell(9, 2), "");
  EXPECT_EQ(h.Status(), kDone);
  ExpectIdleLook(h);
}

TEST(EngineStep, CountsThatDisagreeOnAShortPageListNothing) {
  SearchHarness h;
  h.SelectSource(1);
  h.pages.pages = {fixtures::TazhaoPage({0, 9, 1, 0, /*missingSizes=*/1})};
  h.Press();
  EXPECT_EQ(h.results.RowCount(), 0);
  EXPECT_EQ(h.Status(), kDone);
  ExpectIdleLook(h);
}

TEST(EngineStep, FailedFetchEndsWithTheNetworkStatus) {
  SearchHarness h;
  h.SelectSource(1);
  h.Press();
  EXPECT_EQ(h.Status(), kNoNetwork);
  ExpectIdleLook(h);
}

TEST(TorrentStep, EndsWithTheMessageWhileStillLookingBusy) {
  SearchHarness h;
  h.SelectMode(2);
  h.pages.pages = PagesFor(kListed, fixtures::TorrentPage);
  h.Press();
  ASSERT_EQ(h.results.RowCount(), kListed);
  EXPECT_EQ(h.results.ColumnCount(), 2);
  EXPECT_EQ(h.Cell(kListed - 1, 0), fixtures::HitName(0, kListed));
  EXPECT_EQ(h.Cell(kListed - 1, 1), fixtures::HitAddress(0, kListed));
  EXPECT_EQ(h.window.messages, std::vector<std::string>{"搜索完毕！"});
  // The caption is back before the box; the picture and the keyword box wait for it.
  EXPECT_EQ(h.window.lookWhenMessageShown, "开始搜索 keyword off busy");
  EXPECT_EQ(h.Status(), "状态：");
  ExpectIdleLook(h);
}

TEST(TorrentStep, ExtraLinkEndsWithTheDoneStatus) {
  SearchHarness h;
  h.SelectMode(2);
  h.pages.pages = {fixtures::TorrentPage({30, 10, 1, /*extraLinks=*/2})};
  h.Press();
  EXPECT_EQ(h.results.RowCount(), 10);
  EXPECT_EQ(h.Cell(0, 1), "");
  EXPECT_EQ(h.Status(), kDone);
  EXPECT_TRUE(h.window.messages.empty());
}

TEST(TorrentStep, EmptyAndTotallessPagesEnd) {
  SearchHarness h;
  h.SelectMode(2);
  h.Press();
  EXPECT_EQ(h.Status(), kNoNetwork);
  h.pages.pages = {fixtures::TorrentPage({-1, 0, 1})};
  h.Press();
  EXPECT_EQ(h.Status(), kNothing);
  ExpectIdleLook(h);
}

TEST(StartStopPress, EmptyKeywordOnlyShowsTheMessageEvenWhileSearching) {
  SearchHarness h;
  h.window.keyword = "";
  h.Press();
  EXPECT_EQ(h.window.messages, std::vector<std::string>{"关键字不能为空！"});
  EXPECT_EQ(h.window.CaptionUtf8(), "开始搜索");
  EXPECT_TRUE(h.pages.requested.empty());

  // While a search runs, an empty-keyword press does not stop it.
  SearchHarness r;
  r.SelectSource(2);
  r.pages.pages = PagesFor(23, [](const PageSpec& s) { return SitePage(2, s); });
  r.pages.duringFetch = [&](int n) {
    if (n == 2) r.pump.Post([&] {
        r.window.keyword = "";
        r.Press();
        r.window.keyword = "movie";
      });
  };
  r.Press();
  EXPECT_EQ(r.results.RowCount(), 23);
  EXPECT_EQ(r.window.messages, std::vector<std::string>{"关键字不能为空！"});
}

TEST(StartStopPress, OtherModesDoNothingAndASpaceIsAKeyword) {
  SearchHarness h;
  h.state.searchMode = 0;
  h.window.keyword = "";
  h.Press();
  EXPECT_TRUE(h.window.messages.empty());

  h.state.searchMode = 1;
  h.SelectSource(2);
  h.window.keyword = " ";
  h.pages.pages = {SitePage(2, {3, 3, 1})};
  h.Press();
  ASSERT_EQ(h.pages.requested.size(), 1u);
  EXPECT_NE(h.pages.requested[0].find("%29%20&pn=0"), std::string::npos);
}

TEST(StartStopPress, StopDuringAFetchLetsThatPageComplete) {
  SearchHarness h;
  h.SelectSource(2);
  // Each press must set the status itself: it starts from another one.
  h.results.SetStatus(Gbk(kDone));
  h.results.AppendRow();
  h.pages.pages = PagesFor(45, [](const PageSpec& s) { return SitePage(2, s); });
  std::string whileSearching;
  h.pages.duringFetch = [&](int n) {
    if (n == 1) whileSearching = h.window.Look() + " " + h.Status() + " rows " + std::to_string(h.results.RowCount());
    if (n == 2) h.pump.Post([&] {
        h.results.SetStatus(Gbk(kDone));
        h.Press();
      });
  };
  h.Press();
  EXPECT_EQ(whileSearching, "停止搜索 keyword off busy 状态： rows 0");
  EXPECT_EQ(h.results.RowCount(), 20);
  EXPECT_EQ(h.pages.requested.size(), 2u);
  EXPECT_EQ(h.Status(), "状态：");
  ExpectIdleLook(h);
  EXPECT_EQ(h.state.Step(StepKind::kSite).pageCounter, -10);
}

TEST(StartStopPress, StartDuringAnUnwindingStepRunsANestedSearch) {
  SearchHarness h;
  h.SelectSource(2);
  // Outer search: page 1 of 45 hits; its second fetch is interrupted by stop
  // and start; the nested search lists 5 hits; then the outer page 2 lands.
  h.pages.pages = {SitePage(2, {45, 10, 1}), SitePage(2, {5, 5, 1}), SitePage(2, {45, 10, 11})};
  h.pages.duringFetch = [&](int n) {
    if (n == 2) {
      h.pages.duringFetch = nullptr;
      h.pump.Post([&] { h.Press(); });  // stop
      h.pump.Post([&] { h.Press(); });  // start: its fetch comes before the outer one returns
    }
  };
  h.Press();
  // The nested search cleared the list and listed its 5; the outer step then
  // finished its own page.
  EXPECT_EQ(h.results.RowCount(), 15);
  EXPECT_EQ(h.Cell(0, 0), fixtures::HitName(2, 1));
  EXPECT_EQ(h.Cell(5, 0), fixtures::HitName(2, 11));
  EXPECT_EQ(h.pages.requested.size(), 3u);
  EXPECT_FALSE(h.state.Step(StepKind::kSite).running);
}

TEST(ViewerSource, DecodesThePageFromItsCharset) {
  SearchHarness h;
  h.SelectSource(4);
  h.pages.headerText = "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=UTF-8\r\n\r\n";
  std::string page = SitePage(4, {3, 3, 1});
  // No meta charset: only the header says UTF-8.
  auto meta = page.find("<meta charset=\"UTF-8\">");
  page.erase(meta, std::string("<meta charset=\"UTF-8\">").size());
  h.pages.pages = {page};
  h.Press();
  ASSERT_EQ(h.results.RowCount(), 3);
  EXPECT_EQ(h.Cell(2, 0), fixtures::HitName(4, 3));
}

TEST(ModeLayout, SwitchesColumnSetsAndAlwaysClears) {
  SearchHarness h;
  h.results.AppendRow();
  h.SelectMode(2);
  h.SelectMode(2);
  ASSERT_EQ(h.results.ColumnCount(), 2);
  EXPECT_EQ(GbkToUtf8(h.results.Columns()[1].caption), "地址");
  h.SelectMode(1);
  h.results.AppendRow();
  h.SelectMode(1);
  EXPECT_EQ(h.results.RowCount(), 0);
  ASSERT_EQ(h.results.ColumnCount(), 3);
  EXPECT_EQ(GbkToUtf8(h.results.Columns()[1].caption), "文件大小");
  EXPECT_EQ(h.results.Columns()[1].width, 160);
}

}  // namespace
}  // namespace panscout
