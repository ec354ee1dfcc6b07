#include "search/query_builder.h"

#include <gtest/gtest.h>

#include "runtime/codepage.h"
#include "search/hosts.h"
#include "search/search_state.h"
#include "search/sources.h"
#include "search/search_harness.h"

namespace panscout {
namespace {

struct QueryCase {
  int source;  // 0: torrent
  std::string first;
  std::string second;
};

class QueryAddresses : public ::testing::Test {
 protected:
  std::pair<std::string, std::string> FirstTwo(int source, const std::string& keywordUtf8) {
    window.keyword = Gbk(keywordUtf8);
    const SourceRule& rule = source == 0 ? *table.Torrent() : *table.Find(source);
    state.Step(rule.step).pageCounter = -10;
    std::string first = builder.BuildQuery(rule);
    return {first, builder.BuildQuery(rule)};
  }

  Hosts hosts = Hosts::Defaults();
  SourceTable table = testing::BuiltInSources(hosts);
  SearchState state;
  testing::RecordingWindow window;
  QueryBuilder builder{state, window};
};

TEST_F(QueryAddresses, EverySourceForTheKeywordNetDisk) {
  const std::string K = "%E7%BD%91%E7%9B%98";
  const std::vector<QueryCase> cases = {
      {1, "http://www.tazhao.com/s?q=" + K + "&p=0", "http://www.tazhao.com/s?q=" + K + "&p=10"},
      {2, "http://www.baidu.com/s?wd=site%3A%28u.115.com%29" + K + "&pn=0&cl=1&tn=baiduadv",
       "http://www.baidu.com/s?wd=site%3A%28u.115.com%29" + K + "&pn=10&cl=1&tn=baiduadv"},
      {3, "http://www.baidu.com/s?wd=site%3A%28www.namipan.com%29" + K + "&pn=0&tn=baiduadv",
       "http://www.baidu.com/s?wd=site%3A%28www.namipan.com%29" + K + "&pn=10&tn=baiduadv"},
      {4,
       "http://www.google.com.hk/search?q=%22" + K +
           "%22+site:www.xun6.com&hl=zh-CN&lr=&newwindow=1&safe=strict&biw=1440&bih=805&as_qdr=all&prmd=ivnsfd"
           "&ei=Qm3xVbT8nLp2rKs5dWz7Aa&start=0&sa=N",
       "http://www.google.com.hk/search?q=%22" + K +
           "%22+site:www.xun6.com&hl=zh-CN&lr=&newwindow=1&safe=strict&biw=1440&bih=805&as_qdr=all&prmd=ivnsfd"
           "&ei=Qm3xVbT8nLp2rKs5dWz7Aa&start=10&sa=N"},
      {5, "http://www.baidu.com/s?wd=site%3A%28www.rayfile.com%29" + K + "&pn=0&cl=0&tn=baiduadv",
       "http://www.baidu.com/s?wd=site%3A%28www.rayfile.com%29" + K + "&pn=10&cl=0&tn=baiduadv"},
      {6,
       "http://ishare.iask.sina.com.cn/search.php?key=%CD%F8%C5%CC&classid=0&format=txt~doc~pdf~ppt~htm~rar~aud"
       "&order=&uid=&id=0&page=0",
       "http://ishare.iask.sina.com.cn/search.php?key=%CD%F8%C5%CC&classid=0&format=txt~doc~pdf~ppt~htm~rar~aud"
       "&order=&uid=&id=0&page=1"},
      {7,
       "http://www.google.com.hk/search?q=%22" + K +
           "%22+site:hotfile.com&hl=zh-CN&lr=&newwindow=1&safe=strict&as_qdr=all&prmd=ivnsb"
           "&ei=Hs9tYc4uEo1wPb6nGx2kRe&start=0&sa=N",
       "http://www.google.com.hk/search?q=%22" + K +
           "%22+site:hotfile.com&hl=zh-CN&lr=&newwindow=1&safe=strict&as_qdr=all&prmd=ivnsb"
           "&ei=Hs9tYc4uEo1wPb6nGx2kRe&start=10&sa=N"},
      {0, "http://www.baidu.com/s?wd=" + K + "&pn=0&cl=0&ct=2097152&tn=bds&si=www.btchina.net",
       "http://www.baidu.com/s?wd=" + K + "&pn=10&cl=0&ct=2097152&tn=bds&si=www.btchina.net"},
  };
  for (const auto& c : cases) {
    auto [first, second] = FirstTwo(c.source, "网盘");
    EXPECT_EQ(first, c.first) << "source " << c.source;
    EXPECT_EQ(second, c.second) << "source " << c.source;
  }
}

TEST_F(QueryAddresses, SpacesAndMarksEncodeDifferentlyForUtf8AndGbkForms) {
  EXPECT_EQ(FirstTwo(1, "a b").first, "http://www.tazhao.com/s?q=a%20b&p=0");
  EXPECT_NE(FirstTwo(6, "a b").first.find("key=a+b&"), std::string::npos);
  EXPECT_EQ(FirstTwo(1, "!*()'").first, "http://www.tazhao.com/s?q=!*()'&p=0");
  EXPECT_NE(FirstTwo(6, "!*()'").first.find("key=%21%2A%28%29%27&"), std::string::npos);
}

TEST_F(QueryAddresses, EachStepKindHasItsOwnCounter) {
  state.Step(StepKind::kSite).pageCounter = -10;
  state.Step(StepKind::kTorrent).pageCounter = 30;
  builder.BuildQuery(*table.Find(2));
  EXPECT_EQ(state.Step(StepKind::kSite).pageCounter, 0);
  EXPECT_EQ(state.Step(StepKind::kTorrent).pageCounter, 30);
}

}  // namespace
}  // namespace panscout
