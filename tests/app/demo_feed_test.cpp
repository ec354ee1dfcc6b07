// The announcement the demo services serve, read by the program's own feed.

#include <gtest/gtest.h>

#include "demo/announcement.h"
#include "ad_test_support.h"
#include "app/announcement_feed.h"
#include "runtime/codepage.h"
#include "tools/demo_process.h"

namespace panscout {
namespace {

TEST(DemoFeed, BecomesTheDemoSettingsFileWithEveryBannerCached) {
  demo::testing::DemoProcess demo;
  ASSERT_TRUE(demo.Start());
  testing::ScratchDir scratch;
  TempDirectory temp(scratch.root());
  testing::FakeAdWindow window;
  AdCounters counters;
  RunAnnouncementFeed(window, counters, temp,
                      {"http://" + demo.hosts().announce + "/ad.txt", true, FeedDownload(std::make_shared<CookieStore>(), {})});

  EXPECT_EQ(ReadWholeFile(SettingsPath(temp)), Bytes(Gbk(demo::SettingsFileText(demo.hosts()))));
  for (int k = 1; k <= demo::kBannerCount; ++k) {
    Bytes picture = ReadWholeFile(*temp.FileNamed(Gbk(demo::BannerFileName(k))));
    EXPECT_EQ(picture.data.substr(0, 8), "\x89PNG\r\n\x1a\n") << k;
  }
  EXPECT_EQ(counters.textCount, demo::kTextAdCount);
  EXPECT_EQ(window.popupLoads.size(), 1u);
  EXPECT_EQ(window.questions.size(), 1u);
  EXPECT_TRUE(window.Running(AdTimer::kTickerMove));
  EXPECT_TRUE(window.Running(AdTimer::kNextPicture));
  EXPECT_TRUE(window.Running(AdTimer::kWebReload));
}

}  // namespace
}  // namespace panscout
