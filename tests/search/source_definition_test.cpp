// Definition files as users write them: every fault is named with its file
// and line, and a broken file never stops the others.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "runtime/codepage.h"
#include "search/source_catalog.h"
#include "search/source_definition.h"

namespace panscout {
namespace {

const std::string kGood = R"toml(id = "mysite"
caption = "我的站"
kind = "site"
[query]
endpoint = "http://127.0.0.1:8080"
path = "/find?q={K}&o={N}"
site = "namipan"
[page]
total = '找到(.*?)个'
[title]
pattern = 'target="_blank">(.*?)</a>'
remove = ["<em>", { text = "- 下载", exact = true }]
[link]
pattern = 'href="http://{H}(.*?)"'
prefix = "http://{H}"
)toml";

// kGood with `from` replaced by `to`.
std::string With(const std::string& from, const std::string& to) {
  std::string text = kGood;
  text.replace(text.find(from), from.size(), to);
  return text;
}

TEST(SourceDefinition, AGoodFileFillsEveryPlaceholder) {
  DefinitionRead read = ReadDefinition(kGood, "my.toml", Hosts::Defaults(), false);
  ASSERT_TRUE(read.source) << read.errors.front();
  const SourceRule& s = *read.source;
  EXPECT_EQ(s.caption, Gbk("我的站"));
  EXPECT_EQ(s.endpoint, "http://127.0.0.1:8080");
  EXPECT_EQ(s.link.pattern, "href=\"http://www\\.namipan\\.com(.*?)\"");
  EXPECT_EQ(s.link.prefix, "http://www.namipan.com");
  ASSERT_EQ(s.title.removals.size(), 2u);
  EXPECT_FALSE(s.title.removals[0].exactCase);
  EXPECT_TRUE(s.title.removals[1].exactCase);
  EXPECT_EQ(s.title.removals[1].piece, Gbk("- 下载"));
  ASSERT_EQ(s.query.size(), 4u);
  EXPECT_EQ(s.query[1].part, QueryPart::kUtf8Keyword);
  EXPECT_EQ(s.query[3].part, QueryPart::kOffset);
}

TEST(SourceDefinition, EachFaultIsNamedWithItsLine) {
  struct Case {
    std::string text;
    std::string where;    // "my.toml:LINE:"
    std::string message;  // part of it
  };
  const std::vector<Case> cases = {
      {With("kind = \"site\"", "kind = site"), "my.toml:3:", ""},  // not TOML
      {With("id = \"mysite\"", "id = \"mysite\"\ncolour = \"red\""), "my.toml:2:", "unknown key colour"},
      {With("prefix = \"http://{H}\"", "prefx = \"http://{H}\""), "my.toml:15:", "unknown key link.prefx"},
      {With("kind = \"site\"", "kind = 3"), "my.toml:3:", "kind must be a string"},
      {With("kind = \"site\"", "kind = \"ftp\""), "my.toml:3:", "kind must be"},
      {With("total = '找到(.*?)个'", "total = '找到(.*?个'"), "my.toml:9:", "not a pattern that compiles"},
      {With("path = \"/find?q={K}&o={N}\"", "path = \"/find?q={Q}\""), "my.toml:6:", "unknown placeholder {Q}"},
      {With("caption = \"我的站\"", "caption = \"\xF0\x9F\x98\x80\""), "my.toml:2:", "GBK cannot hold"},
      {With("id = \"mysite\"", "id = \"My Site\""), "my.toml:1:", "id must be made of"},
      {With("endpoint = \"http://127.0.0.1:8080\"", "endpoint = \"bing\""), "my.toml:5:", "endpoint \"bing\""},
      {With("site = \"namipan\"", "site = \"a b\""), "my.toml:7:", "no [sites] key or host"},
      {With("[title]\n", "[title]\ntext = \"result\"\n"), "my.toml:11:", "needs page.split"},
      {With("total = '找到(.*?)个'\n", ""), "my.toml:8:", "missing key page.total"},
      {With("id = \"mysite\"", "id = \"mysite\"\nnumber = 3"), "my.toml:2:", "number is for the built-in sources"},
      {With("remove = [\"<em>\",", "remove = [3,"), "my.toml:12:", "holds a string or"},
  };
  for (const Case& c : cases) {
    DefinitionRead read = ReadDefinition(c.text, "my.toml", Hosts::Defaults(), false);
    EXPECT_FALSE(read.source) << c.message;
    ASSERT_FALSE(read.errors.empty()) << c.message;
    EXPECT_EQ(read.errors[0].rfind(c.where, 0), 0u) << read.errors[0];
    EXPECT_NE(read.errors[0].find(c.message), std::string::npos) << read.errors[0];
  }
}

class UserSources : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
  }
  std::filesystem::path dir_ = std::filesystem::path(::testing::TempDir()) /
                               ("panscout-sources-" + std::to_string(getpid()));
  void SetUp() override { std::filesystem::create_directories(dir_); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
};

TEST_F(UserSources, MendABuiltInAddNewOnesAndSkipBrokenFiles) {
  Write("a-mine.toml", kGood);
  Write("b-broken.toml", "id = \"x\"\n[query\n");
  Write("c-again.toml", kGood);
  Write("d-namipan.toml", With("id = \"mysite\"", "id = \"namipan\""));
  Write("notes.txt", "not a definition");
  SourceCatalog catalog = LoadSources(Hosts::Defaults(), {dir_, dir_ / "missing"});
  ASSERT_EQ(catalog.errors.size(), 2u);
  EXPECT_NE(catalog.errors[0].find("b-broken.toml:2:"), std::string::npos) << catalog.errors[0];
  EXPECT_NE(catalog.errors[1].find("c-again.toml:1: id \"mysite\" is already defined in"), std::string::npos);

  const SourceTable& table = catalog.table;
  ASSERT_EQ(table.All().size(), 9u);
  EXPECT_EQ(table.Named("namipan")->file, (dir_ / "d-namipan.toml").string());
  EXPECT_EQ(table.Named("3")->caption, Gbk("我的站"));  // keeps its number and button
  EXPECT_EQ(table.Named("mysite")->number, 8);
  EXPECT_EQ(table.All().back().id, "mysite");
  std::vector<std::string> buttons;
  for (const SourceRule* source : table.Buttons()) buttons.push_back(source->id);
  EXPECT_EQ(buttons, (std::vector<std::string>{"xun6", "115", "namipan", "iask", "rayfile", "tazhao", "hotfile",
                                               "mysite"}));
}

TEST(UserSourcesDirectory, FollowsXdgDataHome) {
  const char* saved = std::getenv("XDG_DATA_HOME");
  std::string kept = saved ? saved : "";
  setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(UserSourcesDirectory(), std::filesystem::path("/data/panscout/sources"));
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", std::getenv("HOME") ? std::getenv("HOME") : "/home/u", 1);
  EXPECT_EQ(UserSourcesDirectory(), std::filesystem::path(std::getenv("HOME")) / ".local/share/panscout/sources");
  if (saved) setenv("XDG_DATA_HOME", kept.c_str(), 1);
}

}  // namespace
}  // namespace panscout
