// The verdict on a hit page: status first, then dead, locked and alive in turn.

#include <gtest/gtest.h>

#include "runtime/codepage.h"
#include "search/link_check.h"
#include "search/source_definition.h"

namespace panscout {
namespace {

Fetched Page(int code, const std::string& body, FetchStatus::Kind kind = FetchStatus::kOk) {
  FetchStatus status;
  status.kind = code >= 400 ? FetchStatus::kHttpError : kind;
  status.httpCode = code;
  status.seconds = 15;
  return {Bytes(body), status};
}

TEST(LinkCheck, EachOutcomeGivesItsVerdictAndReason) {
  const LinkCheckRule rules{Gbk("文件不存在|已被删除"), Gbk("请输入提取码"), Gbk("下载地址"), true};
  const LinkCheckRule statusOnly{};
  struct Case {
    LinkCheckRule rule;
    Fetched fetched;
    LinkVerdict verdict;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {rules, Page(404, "下载地址"), LinkVerdict::kDead, "HTTP 404"},
      {rules, Page(410, ""), LinkVerdict::kDead, "HTTP 410"},
      {rules, Page(503, "下载地址"), LinkVerdict::kUnknown, "HTTP 503"},
      {rules, Page(0, "", FetchStatus::kTimedOut), LinkVerdict::kUnknown, "timed out after 15 s"},
      {rules, Page(301, ""), LinkVerdict::kUnknown, "HTTP 301"},
      {rules, Page(200, "请输入提取码 文件已被删除 下载地址"), LinkVerdict::kDead, "page matches 已被删除"},
      {rules, Page(200, "请输入提取码 下载地址"), LinkVerdict::kLocked, "page matches 请输入提取码"},
      {rules, Page(200, "<a>下载地址</a>"), LinkVerdict::kOk, "page matches 下载地址"},
      {rules, Page(200, "维护中"), LinkVerdict::kUnknown, "page matches none of dead, locked and alive"},
      {statusOnly, Page(200, "anything"), LinkVerdict::kOk, "HTTP 200"},
      {statusOnly, Page(404, ""), LinkVerdict::kDead, "HTTP 404"},
      // A GBK page read as GBK; the same bytes read as UTF-8 say nothing.
      {{Gbk("已被删除"), {}, {}, false}, Page(200, Gbk("文件已被删除")), LinkVerdict::kDead, "page matches 已被删除"},
      {{Gbk("已被删除"), {}, {}, true}, Page(200, Gbk("文件已被删除")), LinkVerdict::kOk, "HTTP 200"},
      {{"gone.*", {}, {}, true}, Page(200, "gone\n" + std::string(100, 'x')), LinkVerdict::kDead,
       "page matches gone " + std::string(55, 'x') + "…"},
  };
  for (const Case& c : cases) {
    LinkState state = JudgeHitPage(c.rule, c.fetched);
    EXPECT_EQ(VerdictName(state.verdict), std::string(VerdictName(c.verdict))) << c.fetched.body.data;
    EXPECT_EQ(state.reason, c.reason) << c.fetched.body.data;
  }
}

TEST(LinkCheck, TheCheckTableIsReadWithThePageCharsetAsDefault) {
  const std::string source = R"toml(id = "mysite"
caption = "我的站"
kind = "site"
query = { endpoint = "http://127.0.0.1:8080", path = "/find?q={K}" }
page = { charset = "utf-8", total = '找到(.*?)个' }
title = { pattern = '<b>(.*?)</b>' }
link = { pattern = 'href="(.*?)"' }
)toml";
  struct Case {
    std::string check;
    bool utf8;
    std::string error;  // part of the first error; empty: none
  };
  const std::vector<Case> cases = {
      {"", true, ""},
      {"[check]\ndead = '不存在'\n", true, ""},
      {"[check]\ndead = '不存在'\ncharset = \"gbk\"\n", false, ""},
      {"[check]\ndaed = '不存在'\n", true, "my.toml:9: unknown key check.daed"},
      {"[check]\nlocked = '(提取码'\n", true, "my.toml:9: check.locked is not a pattern that compiles"},
      {"[check]\ncharset = \"big5\"\n", true, "my.toml:9: check.charset must be"},
  };
  for (const Case& c : cases) {
    DefinitionRead read = ReadDefinition(source + c.check, "my.toml", Hosts::Defaults(), false);
    if (!c.error.empty()) {
      ASSERT_FALSE(read.errors.empty()) << c.check;
      EXPECT_NE(read.errors[0].find(c.error), std::string::npos) << read.errors[0];
      continue;
    }
    ASSERT_TRUE(read.source) << read.errors.front();
    EXPECT_EQ(read.source->check.utf8, c.utf8) << c.check;
    EXPECT_EQ(read.source->check.dead, c.check.empty() ? "" : Gbk("不存在")) << c.check;
  }
}

}  // namespace
}  // namespace panscout
