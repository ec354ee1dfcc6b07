#include <boost/crc.hpp>
#include <gtest/gtest.h>

#include <cstdint>

#include "demo/announcement.h"
#include "demo/banner_png.h"
#include "demo/site_pages.h"
#include "demo_extraction.h"
#include "runtime/text.h"

namespace panscout::demo {

void PrintTo(const Hit& hit, std::ostream* out) {
  *out << "{" << hit.name << " | " << hit.size << " | " << hit.address << "}";
}

namespace {

using testing::Captures;
using testing::Gbk;
using testing::ProgramCaptures;
using testing::ProgramRules;
using testing::ReadPage;

DemoHosts SampleHosts() {
  DemoHosts hosts;
  int port = 40001;
  for (std::string* host : {&hosts.tazhao, &hosts.baidu, &hosts.google, &hosts.iask, &hosts.announce,
                            &hosts.site115, &hosts.namipan, &hosts.xun6, &hosts.rayfile, &hosts.hotfile,
                            &hosts.torrent}) {
    *host = "127.0.0.1:" + std::to_string(port++);
  }
  return hosts;
}

Hit GbkHit(const Hit& hit) { return {Gbk(hit.name), Gbk(hit.size), Gbk(hit.address)}; }

constexpr int kAllSources[] = {kTazhao, k115, kNamipan, kXun6, kRayFile, kIAsk, kHotfile, kTorrent};

TEST(DemoResultPages, EverySourceYieldsTheExpectedRowsPageByPage) {
  const DemoHosts hosts = SampleHosts();
  for (const std::string keyword : {"电影", "a b", "<x & \"y\">"}) {
    const Keyword parsed = ParseKeyword(keyword);
    for (int source : kAllSources) {
      SCOPED_TRACE("source " + std::to_string(source) + ", keyword " + keyword);
      for (int offset : {0, 10, 20, 30}) {
        const testing::PageReading reading = ReadPage(hosts, source, ResultPage(hosts, source, parsed, offset).body);
        const std::size_t expected = offset == 30 ? 0 : offset == 20 ? 3 : 10;
        EXPECT_EQ(reading.titles, expected) << "offset " << offset;
        EXPECT_EQ(reading.links, expected) << "offset " << offset;
        EXPECT_EQ(reading.sizes, expected) << "offset " << offset;
        ASSERT_EQ(reading.rows.size(), expected);
        for (std::size_t i = 0; i < expected; ++i) {
          EXPECT_EQ(reading.rows[i], GbkHit(ExpectedHit(hosts, source, parsed, offset + int(i) + 1)));
        }
        if (source != kTazhao) {
          EXPECT_EQ(reading.reportedTotal, kDefaultTotal);
          EXPECT_FALSE(reading.saysNoResults);
        }
      }
    }
  }
}

TEST(DemoResultPages, RowsFollowTheDocumentedNamingRule) {
  const DemoHosts hosts = SampleHosts();
  const Keyword keyword = ParseKeyword("电影");
  // FNV-1a-32 of the UTF-8 bytes of 电影.
  std::uint32_t hash = 2166136261u;
  for (unsigned char byte : keyword.word) hash = (hash ^ byte) * 16777619u;
  char id[32];
  std::snprintf(id, sizeof id, "%08x-2-17", hash);
  const Hit hit = ExpectedHit(hosts, k115, keyword, 17);
  EXPECT_EQ(hit.name, "电影_完整版_17.avi ");
  EXPECT_EQ(hit.address, "http://127.0.0.1:40006/file/" + std::string(id));
  const int tenths = 100 + (7919 * 17 + 104729 * 2) % 9000;
  EXPECT_EQ(hit.size, std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " MB");
  EXPECT_EQ(ExpectedHit(hosts, kTorrent, keyword, 3).name, "电影_合集_03.torrent");
  EXPECT_EQ(ExpectedHit(hosts, kIAsk, keyword, 1).address.substr(0, 29), "http://127.0.0.1:40004/f/" + std::string(id).substr(0, 4));
}

TEST(DemoResultPages, KeywordSuffixChoosesTheTotal) {
  EXPECT_EQ(ParseKeyword("电影#7").word, "电影");
  EXPECT_EQ(ParseKeyword("电影#7").total, 7);
  EXPECT_EQ(ParseKeyword("电影").total, kDefaultTotal);
  EXPECT_EQ(ParseKeyword("#0").total, 0);
  EXPECT_EQ(ParseKeyword("#0").word, "");
  EXPECT_EQ(ParseKeyword("a#b").total, kDefaultTotal);
  EXPECT_EQ(ParseKeyword("a#").word, "a#");
  EXPECT_EQ(ParseKeyword("a#1234567890").total, kDefaultTotal);
  EXPECT_EQ(ParseKeyword("a#1#2").word, "a#1");

  const DemoHosts hosts = SampleHosts();
  for (int source : kAllSources) {
    const testing::PageReading reading = ReadPage(hosts, source, ResultPage(hosts, source, ParseKeyword("x#7"), 0).body);
    EXPECT_EQ(reading.rows.size(), 7u) << "source " << source;
  }
}

TEST(DemoResultPages, TotalsUseEachServicesForm) {
  const DemoHosts hosts = SampleHosts();
  const Keyword big = ParseKeyword("电影#1234567");
  EXPECT_NE(ResultPage(hosts, k115, big, 0).body.find(Gbk("找到相关结果约1,234,567个")), std::string::npos);
  EXPECT_NE(ResultPage(hosts, kXun6, big, 0).body.find("获得约 1,234,567 条结果"), std::string::npos);
  EXPECT_NE(ResultPage(hosts, kIAsk, big, 0).body.find(Gbk("<span class=\"c3\">1234567</span>项</td>")),
            std::string::npos);
  for (int source : {k115, kNamipan, kXun6, kRayFile, kIAsk, kHotfile, kTorrent}) {
    EXPECT_EQ(ReadPage(hosts, source, ResultPage(hosts, source, big, 990).body).reportedTotal, 1234567);
    EXPECT_EQ(ReadPage(hosts, source, ResultPage(hosts, source, ParseKeyword("#999"), 0).body).reportedTotal, 999);
  }
}

TEST(DemoResultPages, NothingGivesTheNoResultPages) {
  const DemoHosts hosts = SampleHosts();
  for (const char* keyword : {"nothing", "电影#0"}) {
    for (int source : kAllSources) {
      const Page page = ResultPage(hosts, source, ParseKeyword(keyword), 0);
      const testing::PageReading reading = ReadPage(hosts, source, page.body);
      const bool baidu = source == k115 || source == kNamipan || source == kRayFile || source == kTorrent;
      // Every Baidu page says it; the torrent search does not look.
      EXPECT_EQ(reading.saysNoResults, baidu && source != kTorrent) << "source " << source;
      const SourceRule baiduRules = ProgramRules(hosts, k115);
      EXPECT_EQ(ProgramCaptures(baiduRules.noResultPattern, page.body) ==
                    std::vector<std::string>{baiduRules.noResultCapture},
                baidu)
          << source;
      EXPECT_EQ(reading.reportedTotal, 0) << "source " << source;
      EXPECT_EQ(reading.titles, 0u) << "source " << source;
      EXPECT_EQ(Captures("(约|共找到|获得)", page.body).size(), 0u) << "source " << source;
    }
  }
}

TEST(DemoResultPages, SiteLinksNeedTheSnapshotRemoval) {
  // Left in place, a snapshot link's capture runs on into the next hit's link.
  const DemoHosts hosts = SampleHosts();
  const std::string body = ResultPage(hosts, kNamipan, ParseKeyword("电影"), 0).body;
  const SourceRule rules = ProgramRules(hosts, kNamipan);
  auto snapshotCaptures = [&](const std::string& page) {
    int n = 0;
    for (const std::string& link : ProgramCaptures(rules.link.pattern, SplitText(page, *rules.split)[1])) {
      n += link.find("/c?m=") != std::string::npos;
    }
    return n;
  };
  EXPECT_EQ(snapshotCaptures(body), 9);
  ASSERT_EQ(rules.pageRemovals.size(), 1u);
  EXPECT_EQ(snapshotCaptures(RemoveEvery(body, rules.pageRemovals[0].piece, false)), 0);
}

TEST(DemoResultPages, SitePagesKeepAdvertisementsOutOfTheResultPart) {
  const DemoHosts hosts = SampleHosts();
  const std::string page = ResultPage(hosts, kTorrent, ParseKeyword("电影#3"), 0).body;
  const SourceRule rules = ProgramRules(hosts, kTorrent);
  EXPECT_EQ(ProgramCaptures(rules.title.pattern, page).size(), 4u);
  EXPECT_EQ(SplitText(page, *rules.split).size(), 3u);
}

TEST(Demo115Page, RealAddressStandsBetweenTheMarkersAfterTheResultMarker) {
  const DemoHosts hosts = SampleHosts();
  const Hit hit = ExpectedHit(hosts, k115, ParseKeyword("电影"), 5);
  const std::string id = hit.address.substr(hit.address.rfind('/') + 1);
  const std::string page = Page115(hosts, id).body;
  const RealAddressMarkers markers = *ProgramRules(hosts, k115).realAddress;
  const int result = FindText(page, markers.result, std::nullopt, false);
  ASSERT_GT(result, 0);
  const int first = FindText(page, markers.link, std::nullopt, false);
  const int link = FindText(page, markers.link, result, false);
  EXPECT_LT(first, result);  // a link before the marker must be skipped
  const int end = FindText(page, markers.end, link + 16, false);
  ASSERT_GT(end, link);
  EXPECT_EQ(MiddleText(page, link + 16, end - link - 16), "127.0.0.1:40006/get/" + id);
  EXPECT_EQ(RealAddress115(hosts, id), "127.0.0.1:40006/get/" + id);

  const std::string deleted = Page115(hosts, "no-such-file").body;
  EXPECT_EQ(FindText(deleted, markers.result, std::nullopt, false), -1);
  EXPECT_EQ(FindText(deleted, markers.end, std::nullopt, false), -1);
}

TEST(DemoAnnouncement, PayloadBecomesTheSettingsFile) {
  const DemoHosts hosts = SampleHosts();
  const std::string text = AnnouncementText(hosts);
  const TextArray pieces = SplitText(text, "qwe");
  ASSERT_GE(pieces.size(), 2u);
  EXPECT_TRUE(pieces[0].empty());
  EXPECT_EQ(text.substr(text.size() - 3), "qwe");
  EXPECT_EQ(text.size(), pieces[1].size() + 6);
  const std::string payload = ReplaceSubtext(pieces[1], "<br>", "", std::nullopt, std::nullopt, false);
  EXPECT_NE(pieces[1], payload);
  EXPECT_NE(pieces[1].find("<BR>"), std::string::npos);
  ASSERT_EQ(payload.back(), '$');
  std::string settings;
  for (const std::string& line : SplitText(payload.substr(0, payload.size() - 1), "$")) settings += line + "\r\n";
  EXPECT_EQ(settings, Gbk(SettingsFileText(hosts)));

  const std::string a = "http://127.0.0.1:40005";
  for (const std::string& line : std::vector<std::string>{
           "[弹窗]\r\n弹窗广告=" + a + "/popup.html\r\n", "[更新]\r\n版本更新=1|" + a + "/update.html\r\n",
        "[图片总数]\r\n计数=3\r\n", "[图2]\r\n图片广告=" + a + "/banner/2.png|" + a + "/promo/2.html|" + BannerFileName(2) + "\r\n",
        "[总数]\r\n次数=3\r\n", "[3]\r\n广告=切换到种子搜索试试|" + a + "/news/3.html\r\n",
        "[网页]\r\n网页广告=" + a + "/webad.html\r\n"}) {
    EXPECT_NE(settings.find(Gbk(line)), std::string::npos) << line;
  }
  for (const char* page : {"/popup.html", "/update.html", "/webad.html", "/blog.html", "/news/3.html", "/promo/1.html"}) {
    EXPECT_TRUE(AnnouncementPage(page).has_value()) << page;
  }
}

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

TEST(DemoBanner, PicturesAreValidPngsOfDistinctColours) {
  std::string previousPixels;
  for (int k = 1; k <= kBannerCount; ++k) {
    const std::string png = BannerPng(k);
    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::size_t at = 8;
    std::string chunks, idat;
    while (at + 12 <= png.size()) {
      const std::uint32_t length = BigEndian(png, at);
      const std::string type = png.substr(at + 4, 4);
      boost::crc_32_type crc;
      crc.process_bytes(png.data() + at + 4, length + 4);
      EXPECT_EQ(crc.checksum(), BigEndian(png, at + 8 + length)) << type;
      if (type == "IHDR") {
        EXPECT_EQ(BigEndian(png, at + 8), std::uint32_t(kBannerWidth));
        EXPECT_EQ(BigEndian(png, at + 12), std::uint32_t(kBannerHeight));
        EXPECT_EQ(png.substr(at + 16, 5), std::string("\x08\x02\x00\x00\x00", 5));
      }
      if (type == "IDAT") idat += png.substr(at + 8, length);
      chunks += type + " ";
      at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    EXPECT_EQ(chunks, "IHDR IDAT IEND ");
    // zlib header, then stored blocks whose lengths add up to the filtered rows.
    ASSERT_GE(idat.size(), 6u);
    EXPECT_EQ((static_cast<unsigned char>(idat[0]) * 256 + static_cast<unsigned char>(idat[1])) % 31, 0);
    std::string pixels;
    std::size_t pos = 2;
    bool last = false;
    while (!last && pos + 5 <= idat.size()) {
      last = idat[pos] & 1;
      EXPECT_EQ(idat[pos] & 6, 0);  // stored
      const unsigned len = static_cast<unsigned char>(idat[pos + 1]) | static_cast<unsigned char>(idat[pos + 2]) << 8;
      const unsigned nlen = static_cast<unsigned char>(idat[pos + 3]) | static_cast<unsigned char>(idat[pos + 4]) << 8;
      EXPECT_EQ(len ^ 0xFFFFu, nlen);
      pixels += idat.substr(pos + 5, len);
      pos += 5 + len;
    }
    EXPECT_TRUE(last);
    EXPECT_EQ(pos + 4, idat.size());  // Adler-32 follows
    EXPECT_EQ(pixels.size(), std::size_t(kBannerHeight) * (1 + 3 * kBannerWidth));
    EXPECT_NE(pixels, previousPixels);
    previousPixels = pixels;
  }
}

}  // namespace
}  // namespace panscout::demo
