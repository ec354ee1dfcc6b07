#include "runtime/script_component.h"

#include <gtest/gtest.h>

#include "runtime/codepage.h"
#include "runtime/uri_component.h"

namespace panscout {
namespace {

// The keyword encoding as the query addresses use it.
Text EncodeKeyword(ScriptComponent& component, const Text& keyword) {
  component.AddCode("function e(s){return encodeURIComponent(s);}");
  return component.Run("e", {keyword});
}

TEST(ScriptComponent, EncodesKeywordsAsUtf8PercentEscapes) {
  ScriptComponent component;
  ASSERT_TRUE(component.created());
  EXPECT_EQ(EncodeKeyword(component, Gbk("中文")), "%E4%B8%AD%E6%96%87");
  EXPECT_EQ(EncodeKeyword(component, Gbk("网盘")), "%E7%BD%91%E7%9B%98");
  EXPECT_EQ(EncodeKeyword(component, "a b+c"), "a%20b%2Bc");
  EXPECT_EQ(EncodeKeyword(component, "(x)!"), "(x)!");
  EXPECT_EQ(EncodeKeyword(component, "-_.~*'"), "-_.~*'");
  EXPECT_EQ(EncodeKeyword(component, "Abc019xyZ"), "Abc019xyZ");
  EXPECT_EQ(EncodeKeyword(component, "&/?#%"), "%26%2F%3F%23%25");
  EXPECT_EQ(EncodeKeyword(component, ""), "");
}

// The search encodes keywords without the engine; it must say the same for
// every character GBK can hold.
TEST(ScriptComponent, EncodesEveryGbkCharacterAsTheNativeEncoderDoes) {
  ScriptComponent component;
  ASSERT_TRUE(component.created());
  TextArray characters;
  for (int b = 1; b < 0x80; ++b) characters.push_back(Text(1, static_cast<char>(b)));
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      Text pair{static_cast<char>(lead), static_cast<char>(trail)};
      if (Gbk(GbkToUtf8(pair)) == pair) characters.push_back(pair);  // a character GBK holds
    }
  }
  ASSERT_GT(characters.size(), 20000u);
  // A few thousand characters a call keep the engine quick.
  for (std::size_t at = 0; at < characters.size(); at += 2000) {
    Text chunk;
    for (std::size_t k = at; k < std::min(characters.size(), at + 2000); ++k) chunk += characters[k];
    ASSERT_EQ(EncodeKeyword(component, chunk), EncodeUriComponent(chunk)) << at;
  }
}

TEST(ScriptComponent, ResultsBecomeText) {
  ScriptComponent component;
  ASSERT_TRUE(
      component.AddCode("function half(){return .5;}"
                        "function n(){return null;}"
                        "function u(){}"
                        "function yes(){return true;}"
                        "function both(a,b){return b+a;}"
                        "function wide(s){return s+'\\u4e2d\\u20ac';}"));
  EXPECT_EQ(component.Run("half", {}), "0.5");
  EXPECT_EQ(component.Run("n", {}), "");
  EXPECT_EQ(component.Run("u", {}), "");
  EXPECT_EQ(component.Run("yes", {}), "true");
  EXPECT_EQ(component.Run("both", {"1", "2"}), "21");
  EXPECT_EQ(component.Run("wide", {"\xD6\xD0"}), "\xD6\xD0\xD6\xD0\x80");
}

TEST(ScriptComponent, ScriptErrorsGiveEmptyText) {
  ScriptComponent component;
  EXPECT_FALSE(component.AddCode("function broken( {"));
  ASSERT_TRUE(
      component.AddCode("function fail(){throw new Error('x');}"
                        "function throwText(){throw 'thrown';}"
                        "var notAFunction = 1;"));
  EXPECT_EQ(component.Run("fail", {}), "");
  EXPECT_EQ(component.Run("throwText", {}), "");
  EXPECT_EQ(component.Run("missing", {}), "");
  EXPECT_EQ(component.Run("notAFunction", {}), "");
}

TEST(ScriptComponent, EmptyCodeAddsTheLastCodeAgain) {
  ScriptComponent component;
  ASSERT_TRUE(
      component.AddCode("var count = (typeof count === 'number') ? count + 1 : 1;"
                        "function c(){return count;}"));
  EXPECT_TRUE(component.AddCode(""));
  EXPECT_EQ(component.Run("c", {}), "2");
}

TEST(ScriptComponent, WithoutAnEngineNothingRuns) {
  ScriptComponent component{ScriptComponent::NoEngine{}};
  EXPECT_FALSE(component.created());
  EXPECT_EQ(component.errorText(), Gbk("脚本组件创建失败,请检查msscript.ocx是否注册!"));
  EXPECT_FALSE(component.AddCode("function e(s){return encodeURIComponent(s);}"));
  EXPECT_EQ(component.Run("e", {"abc"}), "");
  EXPECT_EQ(ScriptComponent().errorText(), "");
}

}  // namespace
}  // namespace panscout
