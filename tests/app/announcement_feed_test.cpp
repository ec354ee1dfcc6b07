#include "app/announcement_feed.h"

#include <gtest/gtest.h>

#include "ad_test_support.h"
#include "runtime/codepage.h"

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

}  // namespace
}  // namespace panscout
