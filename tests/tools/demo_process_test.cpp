#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <regex>
#include <set>

#include "demo/announcement.h"
#include "demo/result_pages.h"
#include "demo/site_pages.h"
#include "demo_extraction.h"
#include "demo_process.h"

namespace panscout::demo::testing {
namespace {

// The keyword 电影 in the two query forms, and 电影#3 in the UTF-8 form.
constexpr const char* kFilmK = "%E7%94%B5%E5%BD%B1";
constexpr const char* kFilmG = "%B5%E7%D3%B0";
constexpr const char* kFilm3K = "%E7%94%B5%E5%BD%B1%233";

// The query addresses as the program builds them.
std::string QueryUrl(const DemoHosts& hosts, int source, const std::string& keyword, int offset) {
  const std::string n = std::to_string(offset);
  const std::string site = SourceHost(hosts, source);
  switch (source) {
    case kTazhao: return "http://" + hosts.tazhao + "/s?q=" + keyword + "&p=" + n;
    case k115: return "http://" + hosts.baidu + "/s?wd=site%3A%28" + site + "%29" + keyword + "&pn=" + n + "&cl=1&tn=baiduadv";
    case kNamipan: return "http://" + hosts.baidu + "/s?wd=site%3A%28" + site + "%29" + keyword + "&pn=" + n + "&tn=baiduadv";
    case kRayFile: return "http://" + hosts.baidu + "/s?wd=site%3A%28" + site + "%29" + keyword + "&pn=" + n + "&cl=0&tn=baiduadv";
    case kXun6:
      return "http://" + hosts.google + "/search?q=%22" + keyword + "%22+site:" + site +
             "&hl=zh-CN&lr=&newwindow=1&safe=strict&biw=1440&bih=805&as_qdr=all&prmd=ivnsfd&ei=Qm3xVbT8nLp2rKs5dWz7Aa&start=" +
             n + "&sa=N";
    case kHotfile:
      return "http://" + hosts.google + "/search?q=%22" + keyword + "%22+site:" + site +
             "&hl=zh-CN&lr=&newwindow=1&safe=strict&as_qdr=all&prmd=ivnsb&ei=Hs9tYc4uEo1wPb6nGx2kRe&start=" + n + "&sa=N";
    case kIAsk:
      return "http://" + hosts.iask + "/search.php?key=" + keyword +
             "&classid=0&format=txt~doc~pdf~ppt~htm~rar~aud&order=&uid=&id=0&page=" + std::to_string(offset / 10);
    default: return "http://" + hosts.baidu + "/s?wd=" + keyword + "&pn=" + n + "&cl=0&ct=2097152&tn=bds&si=" + site;
  }
}

class DemoProcessTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    demo_ = new DemoProcess;
    ASSERT_TRUE(demo_->Start());
  }
  static void TearDownTestSuite() {
    EXPECT_EQ(demo_->Stop(), 0);
    delete demo_;
    demo_ = nullptr;
  }
  static const DemoHosts& hosts() { return demo_->hosts(); }
  static DemoProcess* demo_;
};

DemoProcess* DemoProcessTest::demo_ = nullptr;

TEST_F(DemoProcessTest, HostsFileNamesEveryServiceOnItsOwnLoopbackPort) {
  const std::regex line("[a-z0-9]+=127\\.0\\.0\\.1:([0-9]+)");
  std::set<std::string> ports;
  for (const std::string* host : {&hosts().tazhao, &hosts().baidu, &hosts().google, &hosts().iask, &hosts().announce,
                                  &hosts().site115, &hosts().namipan, &hosts().xun6, &hosts().rayfile,
                                  &hosts().hotfile, &hosts().torrent}) {
    std::smatch match;
    const std::string entry = "x=" + *host;
    ASSERT_TRUE(std::regex_match(entry, match, line)) << *host;
    ports.insert(match[1]);
  }
  EXPECT_EQ(ports.size(), 11u);
  EXPECT_EQ(demo_->hostsText(), HostsFileText(hosts()));
  EXPECT_NE(demo_->hostsText().find("\nsnapshot=" + hosts().baidu + "\n[links]\nblog=http://" + hosts().announce + "/blog.html\n"),
            std::string::npos);
}

TEST_F(DemoProcessTest, EverySourceServesItsPagesInItsCharset) {
  const Keyword film = ParseKeyword("电影");
  for (int source : {kTazhao, k115, kNamipan, kXun6, kRayFile, kIAsk, kHotfile, kTorrent}) {
    SCOPED_TRACE("source " + std::to_string(source));
    const std::string keyword = source == kIAsk ? kFilmG : kFilmK;
    for (int offset : {0, 10, 20}) {
      const HttpReply reply = HttpGet(QueryUrl(hosts(), source, keyword, offset));
      ASSERT_EQ(reply.status, 200);
      const bool gbk = source != kTazhao && source != kXun6 && source != kHotfile;
      EXPECT_EQ(reply.contentType, gbk ? "text/html; charset=gbk" : "text/html; charset=utf-8");
      const PageReading reading = ReadPage(hosts(), source, reply.body);
      ASSERT_EQ(reading.rows.size(), offset == 20 ? 3u : 10u) << "offset " << offset;
      EXPECT_EQ(reading.rows.back().address, Gbk(ExpectedHit(hosts(), source, film, offset + int(reading.rows.size())).address));
    }
  }
  EXPECT_NE(HttpGet(QueryUrl(hosts(), kXun6, kFilmK, 0)).body.find("<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">"),
            std::string::npos);
}

TEST_F(DemoProcessTest, KeywordChoosesTheTotalAndNothingFindsNothing) {
  EXPECT_EQ(ReadPage(hosts(), kRayFile, HttpGet(QueryUrl(hosts(), kRayFile, kFilm3K, 0)).body).rows.size(), 3u);
  EXPECT_EQ(ReadPage(hosts(), kXun6, HttpGet(QueryUrl(hosts(), kXun6, kFilm3K, 0)).body).reportedTotal, 3);
  for (int source : {k115, kNamipan, kRayFile, kTorrent}) {
    const std::string body = HttpGet(QueryUrl(hosts(), source, "nothing", 0)).body;
    EXPECT_NE(body.find(Gbk("找不到和您的查询")), std::string::npos) << "source " << source;
  }
  const PageReading google = ReadPage(hosts(), kHotfile, HttpGet(QueryUrl(hosts(), kHotfile, "nothing", 0)).body);
  EXPECT_EQ(google.reportedTotal, 0);
  EXPECT_FALSE(google.saysNoResults);
  // A site the demo does not serve is not answered with results.
  EXPECT_EQ(HttpGet("http://" + hosts().baidu + "/s?wd=site%3A%28example.com%29x&pn=0").status, 404);
}

TEST_F(DemoProcessTest, A115HitPageLeadsToADownload) {
  const std::string address = ExpectedHit(hosts(), k115, ParseKeyword("电影"), 1).address;
  const HttpReply page = HttpGet(address);
  ASSERT_EQ(page.status, 200);
  EXPECT_EQ(page.contentType, "text/html; charset=gbk");
  const std::string id = address.substr(address.rfind('/') + 1);
  const std::string real = RealAddress115(hosts(), id);
  const std::size_t marker = page.body.find("<div class=\"sr\"></div>");
  ASSERT_NE(marker, std::string::npos);
  EXPECT_EQ(page.body.find("<a href=\"http://", marker), page.body.find("<a href=\"http://" + real + "\" onclick="));
  const HttpReply download = HttpGet("http://" + real);
  EXPECT_EQ(download.status, 200);
  EXPECT_EQ(download.contentType, "application/octet-stream");
  EXPECT_FALSE(download.body.empty());
  for (int source : {kNamipan, kXun6, kRayFile, kIAsk, kHotfile, kTorrent}) {
    EXPECT_EQ(HttpGet(ExpectedHit(hosts(), source, ParseKeyword("电影"), 1).address).status, 200) << source;
  }
}

TEST_F(DemoProcessTest, AnnouncementServiceServesTheFeedAndEverythingItNames) {
  const HttpReply feed = HttpGet("http://" + hosts().announce + "/ad.txt");
  EXPECT_EQ(feed.contentType, "text/plain; charset=gbk");
  EXPECT_EQ(feed.body, AnnouncementText(hosts()));
  const std::regex address("http://(127\\.0\\.0\\.1:[0-9]+)(/[^|\\r]*)");
  const std::string settings = SettingsFileText(hosts());
  int named = 0;
  for (std::sregex_iterator it(settings.begin(), settings.end(), address), end; it != end; ++it, ++named) {
    EXPECT_EQ((*it)[1].str(), hosts().announce);
    const HttpReply reply = HttpGet((*it)[0].str());
    EXPECT_EQ(reply.status, 200) << (*it)[0].str();
    if ((*it)[2].str().ends_with(".png")) {
      EXPECT_EQ(reply.contentType, "image/png");
      EXPECT_EQ(reply.body.substr(0, 16), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
    }
  }
  EXPECT_EQ(named, 1 + 1 + 2 * kBannerCount + kTextAdCount + 1);
  EXPECT_EQ(HttpGet("http://" + hosts().announce + "/banner/4.png").status, 404);
  EXPECT_EQ(HttpGet("http://" + hosts().announce + "/blog.html").status, 200);
}

TEST(DemoProcessLifetime, FixedPortsInServiceOrderAndCleanStopOnSigterm) {
  DemoProcess demo;
  const int base = 20000 + static_cast<int>(getpid() % 1000) * 11;
  ASSERT_TRUE(demo.Start({"--port-base", std::to_string(base)}));
  EXPECT_EQ(demo.hosts().tazhao, "127.0.0.1:" + std::to_string(base));
  EXPECT_EQ(demo.hosts().torrent, "127.0.0.1:" + std::to_string(base + 10));
  EXPECT_EQ(HttpGet("http://" + demo.hosts().announce + "/ad.txt").status, 200);
  EXPECT_EQ(demo.Stop(), 0);
  EXPECT_EQ(HttpGet("http://" + demo.hosts().announce + "/ad.txt").status, 0);
}

TEST(DemoProcessLifetime, RefusesBadArgumentsAndAnUnwritableHostsFile) {
  auto exitCode = [](const std::string& arguments) {
    const int status = std::system(("timeout 10 " + std::string(PANSCOUT_DEMO) + " " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(exitCode("--port-base x"), 2);
  EXPECT_EQ(exitCode("--write-hosts"), 2);
  EXPECT_EQ(exitCode("--write-hosts /nonexistent-panscout-dir/hosts.ini"), 1);
}

}  // namespace
}  // namespace panscout::demo::testing
