#include "app/settings_file.h"

#include <gtest/gtest.h>

#include "ad_test_support.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

class ReadSettingTest : public ::testing::Test {
 protected:
  void WriteSettings(const std::vector<std::string>& utf8Lines) { settings_ = testing::SettingsOf(utf8Lines); }
  Text Read(const std::string& section, const std::string& key) { return settings_.Read(Gbk(section), Gbk(key)); }
  Settings settings_;
};

TEST_F(ReadSettingTest, NamesMatchWithoutAsciiCaseAndTheFirstMatchWins) {
  WriteSettings({"[Update]", "Flag=first", "FLAG=second", "[update]", "flag=third", "Only=later"});
  EXPECT_EQ(Read("uPDATE", "fLaG"), "first");
  // A later section of the same name is not searched.
  EXPECT_EQ(Read("update", "only"), "");
}

TEST_F(ReadSettingTest, BlanksAroundNamesAndValuesAndOnePairOfQuotesGo) {
  WriteSettings({"  [网页]  ", "\t网页广告 =  http://a/b c  ", "[q]", "double=\" x \"", "single='y'",
                        "mixed=\"z'", "lone=\"", "inner=a\"b\""});
  EXPECT_EQ(Read("网页", "网页广告"), "http://a/b c");
  EXPECT_EQ(Read("q", "double"), " x ");
  EXPECT_EQ(Read("q", "single"), "y");
  EXPECT_EQ(Read("q", "mixed"), "\"z'");
  EXPECT_EQ(Read("q", "lone"), "\"");
  EXPECT_EQ(Read("q", "inner"), "a\"b\"");
}

TEST_F(ReadSettingTest, TextAdvertisementSectionsAreBareNumbers) {
  WriteSettings({"[总数]", "次数=2", "[1]", "广告=甲|http://one", "[图2]", "图片广告=p|l|f", "[2]",
                        "广告=乙|http://two"});
  EXPECT_EQ(Read("2", "广告"), Gbk("乙|http://two"));
  EXPECT_EQ(Read("1", "广告"), Gbk("甲|http://one"));
  EXPECT_EQ(Read("2", "图片广告"), "");
  EXPECT_EQ(settings_.ReadNumber(Gbk("总数"), Gbk("次数")), 2);
}

TEST_F(ReadSettingTest, EmptyNamesAndMissingPiecesReadAsEmpty) {
  WriteSettings({"=orphan", "[s]", "=nameless", "k=v", "bare"});
  EXPECT_EQ(Read("s", ""), "");
  EXPECT_EQ(Read("", "k"), "");
  EXPECT_EQ(Read("s", "bare"), "");
  EXPECT_EQ(Read("s", "missing"), "");
  EXPECT_EQ(Read("t", "k"), "");
  EXPECT_EQ(settings_.ReadNumber("s", "missing"), 0);
  EXPECT_EQ(Settings().Read("s", "k"), "");
}

TEST_F(ReadSettingTest, LongValuesAreCutTo10239BytesWithoutSplittingACharacter) {
  WriteSettings({"[s]", "ascii=" + std::string(20000, 'a'), "exact=" + std::string(10239, 'b')});
  EXPECT_EQ(Read("s", "ascii"), std::string(10239, 'a'));
  EXPECT_EQ(Read("s", "exact"), std::string(10239, 'b'));

  Text wide;
  for (int i = 0; i < 6000; ++i) wide += Gbk("中");
  settings_ = Settings("[s]\r\nwide=" + wide + "\r\n");
  EXPECT_EQ(Read("s", "wide"), wide.substr(0, 10238));
}

TEST_F(ReadSettingTest, LinesMayEndInLfAlone) {
  settings_ = Settings("[a]\nk=1\n[b]\nk=2");
  EXPECT_EQ(Read("b", "k"), "2");
  EXPECT_EQ(Read("a", "k"), "1");
}

}  // namespace
}  // namespace panscout
