#include "app/ad_rotation.h"

#include <gtest/gtest.h>

#include "ad_test_support.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

using testing::FakeAdWindow;
using testing::ScratchDir;
using testing::WriteSettings;

class AdRotationTest : public ::testing::Test {
 protected:
  void WriteFile(const std::string& utf8Name, const std::string& bytes) {
    ASSERT_TRUE(WriteFileAtomically(*temp_.FileNamed(Gbk(utf8Name)), Bytes(bytes)));
  }

  ScratchDir scratch_;
  TempDirectory temp_{scratch_.root()};
  FakeAdWindow window_;
  AdCounters counters_;
  AdRotation rotation_{window_, counters_, temp_};
};

TEST(RotationRule, RunsOneToCountThenStartsAgain) {
  AdCounters counters;
  counters.textCount = 3;
  std::vector<int> seen;
  for (int i = 0; i < 5; ++i) {
    AdvanceTextIndex(counters);
    seen.push_back(counters.textIndex);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 1, 2}));
  counters.pictureCount = 1;
  AdvancePictureIndex(counters);
  AdvancePictureIndex(counters);
  EXPECT_EQ(counters.pictureIndex, 1);
}

TEST_F(AdRotationTest, BannerShowsPicturesOneTwoThreeOneAfterTheCacheFill) {
  WriteSettings(counters_,
                {"[图片总数]", "计数=3", "[图1]", "图片广告=http://h/1|http://l/1|一.png", "[图2]",
                 "图片广告=http://h/2|http://l/2|二.png", "[图3]", "图片广告=http://h/3|http://l/3|三.png"});
  FillPictureCache(counters_, temp_, [](const Text& url) { return Bytes("picture " + url); });
  EXPECT_EQ(counters_.pictureIndex, 3);

  std::vector<std::string> shown, links;
  for (int step = 0; step < 4; ++step) {
    rotation_.NextPictureAd();
    shown.push_back(window_.banner.back().data);
    links.push_back(counters_.bannerLink);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"picture http://h/1", "picture http://h/2", "picture http://h/3",
                                             "picture http://h/1"}));
  EXPECT_EQ(links, (std::vector<std::string>{"http://l/1", "http://l/2", "http://l/3", "http://l/1"}));
}

TEST_F(AdRotationTest, CacheFillDownloadsOnlyMissingFilesAndKeepsFailuresAsEmptyFiles) {
  WriteSettings(counters_, {"[图片总数]", "计数=3", "[图1]", "图片广告=http://h/new|l|a.png", "[图2]",
                        "图片广告=http://h/fails|l|b.png", "[图3]", "图片广告=http://h/3|l|c.png"});
  WriteFile("a.png", "cached");
  std::vector<Text> asked;
  auto download = [&](const Text& url) {
    asked.push_back(url);
    return url == "http://h/3" ? Bytes("fresh") : Bytes();
  };
  FillPictureCache(counters_, temp_, download);
  EXPECT_EQ(asked, (std::vector<Text>{"http://h/fails", "http://h/3"}));
  EXPECT_EQ(ReadWholeFile(*temp_.FileNamed("a.png")), Bytes("cached"));
  EXPECT_TRUE(std::filesystem::exists(*temp_.FileNamed("b.png")));
  EXPECT_EQ(ReadWholeFile(*temp_.FileNamed("b.png")), Bytes());
  EXPECT_EQ(ReadWholeFile(*temp_.FileNamed("c.png")), Bytes("fresh"));

  // A later run finds every file and downloads nothing; the empty one shows no picture.
  asked.clear();
  AdCounters nextRun;
  nextRun.settings = counters_.settings;
  FillPictureCache(nextRun, temp_, download);
  EXPECT_TRUE(asked.empty());
  AdRotation(window_, nextRun, temp_).NextPictureAd();
  AdRotation(window_, nextRun, temp_).NextPictureAd();
  EXPECT_EQ(window_.banner.back(), Bytes());
}

TEST_F(AdRotationTest, CacheFillVisitsTheEntriesInRotationOrderWhateverTheCount) {
  // A count of two thousand million must not mean as many passes.
  WriteSettings(counters_, {"[图片总数]", "计数=2000000000", "[图7]", "图片广告=http://h/7|l|7.png", "[图02]",
                        "图片广告=http://h/02|l|02.png", "[ 图2 ]", "图片广告=http://h/2|l|2.png",
                        "[图4294967298]", "图片广告=http://h/wrapped|l|w.png", "[图]", "图片广告=http://h/0|l|0.png"});
  std::vector<Text> asked;
  auto download = [&](const Text& url) {
    asked.push_back(url);
    return Bytes("x");
  };
  FillPictureCache(counters_, temp_, download);
  EXPECT_EQ(asked, (std::vector<Text>{"http://h/2", "http://h/7"}));
  EXPECT_EQ(counters_.pictureIndex, 2000000000);

  // From the middle of a round: the entries after it first, and the index back where it was.
  WriteSettings(counters_, {"[图片总数]", "计数=10", "[图3]", "图片广告=http://h/3|l|3.png", "[图7]",
                        "图片广告=http://h/7|l|7b.png", "[图7]", "图片广告=http://h/7dup|l|7c.png"});
  asked.clear();
  counters_.pictureIndex = 5;
  FillPictureCache(counters_, temp_, download);
  EXPECT_EQ(asked, (std::vector<Text>{"http://h/7", "http://h/3"}));
  EXPECT_EQ(counters_.pictureIndex, 5);
}

TEST_F(AdRotationTest, PictureNamesThatLeadOutOfTheDirectoryAreNeverWrittenOrRead) {
  std::filesystem::path inner = scratch_.root() / "inner";
  std::filesystem::create_directory(inner);
  TempDirectory temp(inner);
  ASSERT_TRUE(WriteFileAtomically(scratch_.root() / "outside.png", Bytes("secret")));
  WriteSettings(counters_, {"[图片总数]", "计数=5", "[图1]", "图片广告=http://h/1|l|../escape.png", "[图2]",
                       "图片广告=http://h/2|l|" + scratch_.root().string() + "/abs.png", "[图3]",
                       "图片广告=http://h/3|l|", "[图4]", "图片广告=http://h/4|l|sub\\x.png", "[图5]",
                       "图片广告=http://h/5|l|../outside.png"});
  std::vector<Text> asked;
  FillPictureCache(counters_, temp, [&](const Text& url) {
    asked.push_back(url);
    return Bytes("x");
  });
  EXPECT_TRUE(asked.empty());
  EXPECT_FALSE(std::filesystem::exists(scratch_.root() / "escape.png"));
  EXPECT_FALSE(std::filesystem::exists(scratch_.root() / "abs.png"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(inner), {}), 0);

  AdRotation rotation(window_, counters_, temp);
  for (int step = 0; step < 5; ++step) rotation.NextPictureAd();
  EXPECT_TRUE(window_.banner.empty());
}

TEST_F(AdRotationTest, ANameTheFileSystemRefusesIsPassedOver) {
  const std::string tooLong(300, 'p');
  WriteSettings(counters_, {"[图片总数]", "计数=2", "[图1]", "图片广告=http://h/1|l|" + tooLong, "[图2]",
                            "图片广告=http://h/2|l|2.png"});
  std::vector<Text> asked;
  FillPictureCache(counters_, temp_, [&](const Text& url) {
    asked.push_back(url);
    return Bytes("x");
  });
  EXPECT_EQ(asked, std::vector<Text>{"http://h/2"});
  rotation_.NextPictureAd();
  EXPECT_EQ(window_.banner.back(), Bytes());
}

TEST_F(AdRotationTest, IncompleteEntriesAndAZeroCountSkipTheStep) {
  WriteSettings(counters_, {"[图片总数]", "计数=0", "[1]", "广告=只有标题"});
  rotation_.NextPictureAd();
  EXPECT_EQ(counters_.pictureIndex, 0);
  EXPECT_TRUE(window_.banner.empty());

  WriteSettings(counters_, {"[图片总数]", "计数=2", "[图1]", "图片广告=http://h/1|http://l/1", "[图2]",
                        "图片广告=http://h/2|http://l/2|two.png", "[1]", "广告=只有标题"});
  WriteFile("two.png", "two");
  rotation_.NextPictureAd();
  EXPECT_TRUE(window_.banner.empty());
  EXPECT_EQ(counters_.bannerLink, "");
  rotation_.NextPictureAd();
  EXPECT_EQ(window_.banner.back(), Bytes("two"));

  counters_.textCount = 1;
  window_.SetTimerInterval(AdTimer::kNextText, kNextTextMs);
  rotation_.NextTextAd();
  EXPECT_TRUE(window_.captions.empty());
  EXPECT_TRUE(window_.Running(AdTimer::kNextText));
  EXPECT_FALSE(window_.Running(AdTimer::kTickerMove));
}

TEST_F(AdRotationTest, ClicksOpenOnlyWebAddresses) {
  rotation_.OnBannerClick();
  rotation_.OnTickerClick();
  EXPECT_TRUE(window_.shell.opened.empty());

  WriteSettings(counters_, {"[图片总数]", "计数=2", "[图1]", "图片广告=p|http://banner/1|a.png", "[图2]",
                        "图片广告=p|file:///etc/passwd|a.png", "[1]", "广告=t|javascript:alert(1)", "[2]",
                        "广告=t|https://ticker/2"});
  WriteFile("a.png", "a");
  counters_.textCount = 2;
  rotation_.NextPictureAd();
  rotation_.OnBannerClick();
  rotation_.NextPictureAd();
  rotation_.OnBannerClick();
  rotation_.NextTextAd();
  rotation_.OnTickerClick();
  rotation_.NextTextAd();
  rotation_.OnTickerClick();
  EXPECT_EQ(window_.shell.opened, (std::vector<std::string>{"http://banner/1", "https://ticker/2"}));
}

TEST_F(AdRotationTest, WebAdvertisementReloadsEveryTimeButOnlyForWebAddresses) {
  WriteSettings(counters_, {"[网页]", "网页广告=http://ad/page"});
  rotation_.ReloadWebAd();
  rotation_.ReloadWebAd();
  EXPECT_EQ(window_.webAdLoads, (std::vector<Text>{"http://ad/page", "http://ad/page"}));
  WriteSettings(counters_, {"[网页]", "网页广告=file:///etc/passwd"});
  rotation_.ReloadWebAd();
  EXPECT_EQ(window_.webAdLoads.size(), 2u);
}

// The ticker rests at 424, moves up to 400, jumps to 448 and comes up to 424.
std::vector<int> OneTickerCycle() {
  std::vector<int> tops;
  for (int top = kTickerRestTop - 1; top >= kTickerTopEdge; --top) tops.push_back(top);
  for (int top = kTickerBottomEdge; top >= kTickerRestTop; --top) tops.push_back(top);
  return tops;
}

TEST_F(AdRotationTest, TickerCyclesThroughItsStripAndRestsFourSeconds) {
  WriteSettings(counters_, {"[1]", "广告=甲|http://one", "[2]", "广告=乙|http://two"});
  counters_.textCount = 2;
  window_.SetTimerInterval(AdTimer::kTickerMove, kTickerMoveMs);

  window_.Advance(490, rotation_);  // the first cycle moves the initial caption
  EXPECT_EQ(window_.tops, OneTickerCycle());
  EXPECT_FALSE(window_.Running(AdTimer::kTickerMove));
  EXPECT_EQ(window_.TimerInterval(AdTimer::kNextText), kNextTextMs);

  window_.Advance(3990, rotation_);
  EXPECT_TRUE(window_.captions.empty());
  EXPECT_EQ(window_.tops.size(), OneTickerCycle().size());
  window_.Advance(10, rotation_);
  ASSERT_EQ(window_.captions.size(), 1u);
  EXPECT_EQ(window_.captions[0], std::make_pair(4490L, Gbk("甲")));
  EXPECT_EQ(window_.tickerLink, "http://one");
  EXPECT_EQ(window_.tickerTop, kTickerRestTop);  // the caption changes in place
  EXPECT_FALSE(window_.Running(AdTimer::kNextText));

  window_.tops.clear();
  window_.Advance(490 + 4000, rotation_);
  EXPECT_EQ(window_.tops, OneTickerCycle());
  EXPECT_EQ(window_.captions.back(), std::make_pair(8980L, Gbk("乙")));
  window_.Advance(4490, rotation_);
  EXPECT_EQ(window_.captions.back().second, Gbk("甲"));
}

TEST_F(AdRotationTest, WithOneTextTheTickerKeepsTheSameCaptionAndLink) {
  WriteSettings(counters_, {"[1]", "广告=唯一|http://only"});
  counters_.textCount = 1;
  window_.SetTimerInterval(AdTimer::kNextText, kNextTextMs);
  window_.Advance(3 * 4490, rotation_);
  ASSERT_EQ(window_.captions.size(), 3u);
  for (const auto& [time, caption] : window_.captions) EXPECT_EQ(caption, Gbk("唯一"));
  EXPECT_EQ(window_.tickerLink, "http://only");
}

}  // namespace
}  // namespace panscout
