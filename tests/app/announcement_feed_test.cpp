#include "app/announcement_feed.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ad_test_support.h"
#include "app/forwarding_ad_window.h"
#include "runtime/codepage.h"
#include "support/test_http_server.h"

namespace panscout {
namespace {

TEST(SettingsTextFromFeed, UsesOnlyThePieceAfterTheFirstQwe) {
  EXPECT_EQ(SettingsTextFromFeed("no marker$here"), std::nullopt);
  EXPECT_EQ(SettingsTextFromFeed("payload$qwe"), std::nullopt);
  EXPECT_EQ(SettingsTextFromFeed("qwe"), std::nullopt);
  EXPECT_EQ(SettingsTextFromFeed("qweqweB"), std::nullopt);
  EXPECT_EQ(SettingsTextFromFeed(""), std::nullopt);
  EXPECT_EQ(SettingsTextFromFeed("qweAqweB"), "A\r\n");
  EXPECT_EQ(SettingsTextFromFeed("XqweA"), "A\r\n");
  EXPECT_EQ(SettingsTextFromFeed("qweA$B$qweC$qweD"), "A\r\nB\r\n");
}

TEST(SettingsTextFromFeed, DropsBreaksInAnyCaseAndEndsALineAtEachDollar) {
  EXPECT_EQ(SettingsTextFromFeed("qwe[a]<br>$<BR>k=<Br>v$<bR>qwe"), "[a]\r\nk=v\r\n");
  EXPECT_EQ(SettingsTextFromFeed("qwea$b$"), "a\r\nb\r\n");
  EXPECT_EQ(SettingsTextFromFeed("qwea$$b"), "a\r\n\r\nb\r\n");
  EXPECT_EQ(SettingsTextFromFeed("qwea$$"), "a\r\n\r\n");
  EXPECT_EQ(SettingsTextFromFeed(Gbk("qwe[总数]$次数=2$qwe")), Gbk("[总数]\r\n次数=2\r\n"));
}

TEST(SettingsTextFromFeed, KeepsWhatFitsTheLimitInWholeCharacters) {
  Text wide;
  while (wide.size() < kMaxSettingsTextBytes) wide += Gbk("中");
  std::optional<Text> settings = SettingsTextFromFeed("qwe" + Text(1, 'a') + wide);
  ASSERT_TRUE(settings);
  EXPECT_EQ(*settings, "a" + wide.substr(0, kMaxSettingsTextBytes - 2));
}

using testing::DispatchUntil;
using testing::FakeAdWindow;
using testing::ScratchDir;

// Joins UTF-8 lines into a feed payload in GBK, each line ended by "$".
Text Payload(const std::vector<std::string>& lines) {
  Text payload;
  for (const std::string& line : lines) payload += Gbk(line) + "$";
  return payload;
}

Text SettingsFileText(const std::vector<std::string>& lines) {
  Text text;
  for (const std::string& line : lines) text += Gbk(line) + "\r\n";
  return text;
}

// The feed on a thread of its own against a server on 127.0.0.1, while this
// thread plays the window's.
class FeedEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override { window_.counters = &counters_; }

  std::vector<std::string> FeedLines(const std::string& textCount) {
    return {"[弹窗]",     "弹窗广告=http://pop/up<br>",
            "[更新]",     "版本更新=1|http://update/new",
            "[图片总数]", "计数=2",
            "[图1]",      "图片广告=" + server_.Url("/p1") + "|http://l/1|p1.png",
            "[图2]",      "图片广告=" + server_.Url("/p2") + "|http://l/2|p2.png",
            "[总数]",     "次数=" + textCount,
            "[1]",        "广告=甲|http://one",
            "[2]",        "广告=乙|http://two",
            "[网页]",     "网页广告=http://web/ad"};
  }

  void ServeFeed(const Text& body) {
    server_.Add(TestHttpServer::Response(200, body));
    server_.Add(TestHttpServer::Response(200, "PNG-1"));
    server_.Add(TestHttpServer::Reply().Reset());
  }

  void RunFeed(bool popupAllowed) {
    QObject windowObject;
    auto calls = std::make_shared<WindowThreadCalls>(&windowObject);
    ForwardingAdWindow forwarding(calls, window_);
    std::atomic<bool> done = false;
    std::thread feed([&] {
      RunAnnouncementFeed(forwarding, counters_, temp_,
                          {server_.Url("/ad.txt"), popupAllowed, FeedDownload(std::make_shared<CookieStore>(), {})});
      done = true;
    });
    DispatchUntil(done);
    feed.join();
    calls->Detach();
  }

  std::vector<std::string> RequestLines() {
    std::vector<std::string> lines;
    for (const std::string& request : server_.Requests())
      lines.push_back(request.substr(0, request.find("\r\n")));
    return lines;
  }

  TestHttpServer server_;
  ScratchDir scratch_;
  TempDirectory temp_{scratch_.root()};
  FakeAdWindow window_;
  AdCounters counters_;
};

TEST_F(FeedEndToEndTest, WritesTheSettingsActsOnThemAndStartsTheRotations) {
  ServeFeed("head qwe" + Payload(FeedLines("2")) + "qwe tail");
  RunFeed(true);

  std::vector<std::string> lines = FeedLines("2");
  lines[1] = "弹窗广告=http://pop/up";
  EXPECT_EQ(ReadWholeFile(SettingsPath(temp_)), Bytes(SettingsFileText(lines)));
  EXPECT_EQ(window_.settingsText, SettingsFileText(lines));
  EXPECT_EQ(RequestLines(),
            (std::vector<std::string>{"GET /ad.txt HTTP/1.1", "GET /p1 HTTP/1.1", "GET /p2 HTTP/1.1"}));
  EXPECT_EQ(window_.popupLoads, std::vector<Text>{"http://pop/up"});
  ASSERT_EQ(window_.questions.size(), 1u);
  EXPECT_EQ(window_.questions[0], std::make_pair(Gbk("版本更新了，是否进行更新？"), Gbk("提醒")));
  EXPECT_EQ(window_.shell.opened, std::vector<std::string>{"http://update/new"});
  EXPECT_EQ(ReadWholeFile(*temp_.FileNamed("p1.png")), Bytes("PNG-1"));
  EXPECT_TRUE(std::filesystem::exists(*temp_.FileNamed("p2.png")));
  EXPECT_EQ(ReadWholeFile(*temp_.FileNamed("p2.png")), Bytes());

  // Started with the count already set, and only these three.
  EXPECT_EQ(window_.startedWithTextCount,
            (std::map<AdTimer, int>{
                {AdTimer::kTickerMove, 2}, {AdTimer::kNextPicture, 2}, {AdTimer::kWebReload, 2}}));
  EXPECT_EQ(window_.TimerInterval(AdTimer::kTickerMove), kTickerMoveMs);
  EXPECT_EQ(window_.TimerInterval(AdTimer::kNextPicture), kNextPictureMs);
  EXPECT_EQ(window_.TimerInterval(AdTimer::kWebReload), kWebReloadMs);
  EXPECT_EQ(window_.webAdLoads, std::vector<Text>{"http://web/ad"});
  EXPECT_EQ(window_.callingThreads, std::set{std::this_thread::get_id()});
  EXPECT_EQ(window_.shell.openedOn, std::set{std::this_thread::get_id()});

  // The window's timers then take over: picture 1 at 4 s, text 1 after the first ticker cycle and rest.
  // They read what the feed wrote without reading the file again.
  ASSERT_TRUE(WriteFileAtomically(SettingsPath(temp_), Bytes(Gbk("[1]\r\n广告=改|http://x\r\n"))));
  AdRotation rotation(window_, counters_, temp_);
  window_.Advance(4000, rotation);
  EXPECT_EQ(window_.banner, std::vector<Bytes>{Bytes("PNG-1")});
  EXPECT_EQ(counters_.bannerLink, "http://l/1");
  EXPECT_TRUE(window_.captions.empty());
  window_.Advance(490, rotation);
  EXPECT_EQ(window_.captions, (std::vector<std::pair<long, Text>>{{4490, Gbk("甲")}}));
  window_.Advance(10000 - 4490, rotation);
  EXPECT_EQ(window_.webAdLoads.size(), 2u);
}

TEST_F(FeedEndToEndTest, WithoutTextAdvertisementsNoTimerStartsButPicturesAreStillFetched) {
  ServeFeed("qwe" + Payload(FeedLines("0")));
  window_.answer = false;
  RunFeed(false);
  EXPECT_TRUE(window_.popupLoads.empty());
  EXPECT_EQ(window_.questions.size(), 1u);
  EXPECT_TRUE(window_.shell.opened.empty());
  EXPECT_EQ(ReadWholeFile(*temp_.FileNamed("p1.png")), Bytes("PNG-1"));
  EXPECT_TRUE(window_.startedWithTextCount.empty());
  EXPECT_TRUE(window_.webAdLoads.empty());
}

TEST_F(FeedEndToEndTest, AFeedWithoutPayloadOrAFailedFetchChangesNothing) {
  ASSERT_TRUE(WriteFileAtomically(SettingsPath(temp_), Bytes("[总数]\r\n次数=1\r\n")));
  server_.Add(TestHttpServer::Response(200, Payload(FeedLines("2")) + "qwe"));
  server_.Add(TestHttpServer::Reply().Reset());
  RunFeed(true);
  RunFeed(true);
  EXPECT_EQ(server_.Requests().size(), 2u);
  EXPECT_TRUE(window_.callingThreads.empty());
  EXPECT_EQ(ReadWholeFile(SettingsPath(temp_)), Bytes("[总数]\r\n次数=1\r\n"));
  EXPECT_EQ(counters_.textCount, 0);
}

// The feed run on this thread with a fixed body instead of a server.
void RunFeedOf(FakeAdWindow& window, const TempDirectory& temp, bool popupAllowed, const Text& body) {
  AdCounters counters;
  RunAnnouncementFeed(window, counters, temp,
                      {"http://feed/ad.txt", popupAllowed, [&](const Text&) { return Bytes(body); }});
}

TEST(PopupPermission, CancelAtStartUpWithholdsOnlyThePopup) {
  ScratchDir scratch;
  TempDirectory temp(scratch.root());
  Text body = "qwe" + Payload({"[弹窗]", "弹窗广告=http://pop/", "[更新]", "版本更新=1|http://u/", "[总数]",
                               "次数=1", "[网页]", "网页广告=http://web/"});
  FakeAdWindow window;
  RunFeedOf(window, temp, false, body);
  EXPECT_TRUE(window.popupLoads.empty());
  EXPECT_EQ(window.questions.size(), 1u);
  EXPECT_TRUE(window.Running(AdTimer::kTickerMove));
  EXPECT_EQ(window.webAdLoads, std::vector<Text>{"http://web/"});
}

TEST(PopupPermission, EvenWhenAllowedOnlyAWebPageIsLoaded) {
  ScratchDir scratch;
  TempDirectory temp(scratch.root());
  FakeAdWindow window;
  RunFeedOf(window, temp, true, "qwe" + Payload({"[弹窗]", "弹窗广告=file:///etc/passwd"}));
  RunFeedOf(window, temp, true, "qwe" + Payload({"[弹窗]", "弹窗广告=https://pop/"}));
  EXPECT_EQ(window.popupLoads, std::vector<Text>{"https://pop/"});
}

TEST(UpdateOffer, ComesOnlyForFlagOneWithAWebAddress) {
  ScratchDir scratch;
  TempDirectory temp(scratch.root());
  // Blanks around a value go when it is read; quotes keep them.
  for (std::string entry : {"1|http://u/", "\" 1|http://u/\"", "1 |http://u/", "01|http://u/", "1",
                                   "1|file:///bin/sh", "2|http://u/"}) {
    FakeAdWindow window;
    RunFeedOf(window, temp, true, "qwe" + Payload({"[更新]", "版本更新=" + entry}));
    EXPECT_EQ(window.questions.size(), entry == "1|http://u/" ? 1u : 0u) << entry;
    EXPECT_EQ(window.shell.opened.size(), entry == "1|http://u/" ? 1u : 0u) << entry;
  }
}

}  // namespace
}  // namespace panscout
