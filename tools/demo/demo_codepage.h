#pragma once
// GBK conversions for the demo services, which must serve GBK pages exactly as
// the real services do. Characters without a form in the target become "?".

#include <string>
#include <string_view>

namespace panscout::demo {

std::string Utf8ToGbkBytes(std::string_view utf8);
std::string GbkToUtf8Bytes(std::string_view gbk);

}  // namespace panscout::demo
