#include "results/size_value.h"

#include <gtest/gtest.h>

#include "runtime/codepage.h"

namespace panscout {
namespace {

TEST(SizeValue, UnitsWithOrWithoutABlankInAnyCase) {
  const std::pair<const char*, double> sizes[] = {
      {"0 B", 0},          {"512B", 512},       {"700 KB", 700 * 1024.0},
      {"1.5MB", 1.5 * 1024 * 1024}, {" 1.2 gb ", 1.2 * 1024 * 1024 * 1024},
      {"3 TB", 3 * 1024.0 * 1024 * 1024 * 1024}, {"123.4 MB", 123.4 * 1024 * 1024},
  };
  for (auto [text, bytes] : sizes) {
    ASSERT_TRUE(SizeInBytes(text)) << text;
    EXPECT_DOUBLE_EQ(*SizeInBytes(text), bytes) << text;
  }
}

TEST(SizeValue, UnknownAndUnreadableSizesHaveNoValue) {
  for (const std::string& text : {Gbk("不详"), std::string(), std::string("MB"), std::string("12"),
                                  std::string("1.2.3 MB"), std::string("12 PB"), std::string("-3 MB"),
                                  std::string("12 MBs"), std::string("1 2 MB"), std::string(".")}) {
    EXPECT_FALSE(SizeInBytes(text)) << text;
  }
}

}  // namespace
}  // namespace panscout
