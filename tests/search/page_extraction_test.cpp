// How the page operations read one page: which text each pattern searches,
// what each removal takes out and in which case, and how many matches each
// operation needs before it writes.

#include <gtest/gtest.h>

#include "search/fixture_pages.h"
#include "search/search_harness.h"

namespace panscout {
namespace {

using fixtures::PageSpec;
using namespace testing::statuses;
using testing::SearchHarness;

const std::string kMarker = "咨询热线：";

// Source 0 is the torrent search, 1 Tazhao, 2 to 7 the sites.
bool ServedAsUtf8(int source) { return source == 1 || source == 4 || source == 7; }

std::string PageOf(int source, const PageSpec& spec) {
  if (source == 0) return fixtures::TorrentPage(spec);
  return source == 1 ? fixtures::TazhaoPage(spec) : fixtures::SitePage(source, spec);
}

// `page` with `piece` (UTF-8) put before the first `before`, in the page's own encoding.
std::string Inserted(int source, std::string page, const std::string& before, const std::string& piece) {
  auto served = [source](const std::string& s) { return ServedAsUtf8(source) ? s : Gbk(s); };
  auto at = page.find(served(before));
  EXPECT_NE(at, std::string::npos) << before;
  return at == std::string::npos ? page : page.insert(at, served(piece));
}

// `page` with the first `piece` (UTF-8) in its other case: the ASCII case fold of
// every byte, the trail bytes of double-byte characters included, as a removal
// that ignores case compares.
std::string Folded(int source, std::string page, const std::string& piece, bool upper) {
  Text folded = Gbk(piece);
  for (char& c : folded) {
    if (upper ? (c >= 'a' && c <= 'z') : (c >= 'A' && c <= 'Z')) c = static_cast<char>(c ^ 0x20);
  }
  std::string from = ServedAsUtf8(source) ? piece : Gbk(piece);
  std::string to = ServedAsUtf8(source) ? GbkToUtf8(folded) : folded;
  auto at = page.find(from);
  EXPECT_NE(at, std::string::npos) << piece;
  return at == std::string::npos ? page : page.replace(at, from.size(), to);
}

struct Search : SearchHarness {
  Search(int source, std::string page) {
    if (source == 0) SelectMode(2);
    SelectSource(source == 0 ? 4 : source);
    pages.pages = {std::move(page)};
    Press();
  }
};

int AddressColumn(int source) { return source == 0 ? 1 : 2; }

TEST(PageRemovals, IgnoreCaseUnlessExactAndKeepTheRest) {
  struct Case {
    int source;
    bool size;   // the size capture, else the title capture
    bool upper;  // the capture written in upper case, else lower
    std::string cell;
  };
  const Case cases[] = {
      {0, false, true, "资料NAME-1.TORRENT"},
      {1, false, true, "资料NAME-1.RAR"},
      {2, false, true, "资料NAME-1.RAR "},
      // The 115 suffix alone is compared exactly.
      {2, false, false, "资料name-1.rar - 115网络u盘-我的网盘|免费网络硬盘"},
      {3, false, true, "资料NAME-1.RAR"},
      {4, false, true, "资料NAME-1.RAR"},
      {5, false, true, "资料NAME-1.RAR"},
      {6, false, true, "资料NAME-1.RAR"},
      {7, false, true, "资料NAME-1.RAR 1"},
      {2, true, true, "1.5 MB"},
      {3, true, true, "1.5 MB"},
      {5, true, true, "1.5 MB"},
  };
  for (const Case& c : cases) {
    PageSpec spec{1, c.source == 1 ? 10 : 1, 1};  // Tazhao lists only full pages
    std::string capture = c.size ? fixtures::SizeCapture(c.source, 1) : fixtures::TitleCapture(c.source, 1);
    Search h(c.source, Folded(c.source, PageOf(c.source, spec), capture, c.upper));
    ASSERT_GE(h.results.RowCount(), 1) << c.source << " " << c.cell;
    EXPECT_EQ(h.Cell(0, c.size ? 1 : 0), c.cell) << c.source;
  }
}

// Snapshot links whose host differs in case only still lose "http://" + the host,
// so namipan's link pattern never meets one.
TEST(PageRemovals, SnapshotLinksLoseTheirSchemeInAnyCase) {
  std::string page = fixtures::SitePage(3, {3, 3, 1});
  for (int k = 0; k < 3; ++k) page = Folded(3, page, "cache.baidu", true);
  Search h(3, page);
  ASSERT_EQ(h.results.RowCount(), 3);
  EXPECT_EQ(h.Cell(2, 2), fixtures::HitAddress(3, 3));
  EXPECT_EQ(h.Status(), kDone);
}

TEST(PageRegions, BaiduTitlesAndLinksComeFromBetweenTheFirstTwoMarkersSizesFromTheWholePage) {
  struct Case {
    int source;
    std::string hit;  // an extra hit, put before the first marker and after a second one
  };
  const Case cases[] = {
      {0, "<a href=\"http://www.btchina.net/torrent/99\" target=\"_blank\">x</a>"},
      {2, "<a href=\"http://u.115.com/file/99\" target=\"_blank\">x</a>文件大小：9 提取码"},
      {3, "<a href=\"http://www.namipan.com/d/99\" target=\"_blank\">x</a>文件大小：9举报"},
      {5, "<a href=\"http://www.rayfile.com/files/99\" target=\"_blank\">x</a>大小 9 上传时间"},
  };
  for (const Case& c : cases) {
    std::string page = Inserted(c.source, PageOf(c.source, {3, 3, 1}), kMarker, c.hit);
    Search h(c.source, Inserted(c.source, page, "</body>", kMarker + c.hit));
    ASSERT_EQ(h.results.RowCount(), 3) << c.source;
    EXPECT_EQ(h.Cell(2, 0), fixtures::HitName(c.source, 3)) << c.source;
    EXPECT_EQ(h.Cell(2, AddressColumn(c.source)), fixtures::HitAddress(c.source, 3)) << c.source;
    if (c.source != 0) EXPECT_EQ(h.Cell(2, 1), "不详") << c.source;  // four sizes for three hits
  }
}

TEST(PageMatchCounts, EngineTakesTenOrMoreTitlesAndSizesSitesExactlyThePageHitCount) {
  struct Case {
    int source;
    std::string extra;  // one more match of one pattern, at the end of a full page
    int rows;
    int column;        // of the last row
    std::string cell;
  };
  const Case cases[] = {
      {1, "<div class=\"introtext\">x</div>", 10, 0, fixtures::HitName(1, 10)},
      {1, "<div>大小：x时间：", 10, 1, fixtures::HitSize(10)},
      {2, "<a target=\"_blank\">x</a>", 0, 0, ""},
      {2, "文件大小：x 提取码", 10, 1, "不详"},
      {0, "<a target=\"_blank\">x</a>", 0, 0, ""},
  };
  for (const Case& c : cases) {
    Search h(c.source, Inserted(c.source, PageOf(c.source, {25, 10, 1}), "</body>", c.extra));
    ASSERT_EQ(h.results.RowCount(), c.rows) << c.extra;
    if (c.rows > 0) EXPECT_EQ(h.Cell(c.rows - 1, c.column), c.cell) << c.extra;
  }
}

TEST(HasResults, OnlyAFirstCaptureOfExactlyTheNoResultWordsEndsTheSearch) {
  struct Case {
    std::string phrase;
    int rows;
    std::string status;
  };
  const Case cases[] = {
      {"找不到和您的查询", 0, kNothing},
      {"找不到和您查询", 3, kDone},
      {"找不到和您的 查询", 3, kDone},
      {"找不到x查询找不到和您的查询", 3, kDone},
  };
  for (const Case& c : cases) {
    Search h(2, Inserted(2, PageOf(2, {3, 3, 1}), kMarker, c.phrase));
    EXPECT_EQ(h.results.RowCount(), c.rows) << c.phrase;
    EXPECT_EQ(h.Status(), c.status) << c.phrase;
  }
}

}  // namespace
}  // namespace panscout
