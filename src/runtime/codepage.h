#pragma once
// Conversions between the program's GBK text (code page 936 as Windows defines
// it: GBK plus the euro sign at 0x80) and Unicode. Nothing is ever refused:
// invalid input is replaced and characters without a form in the target become
// the default character "?".

#include <string>
#include <string_view>

#include "runtime/text.h"

namespace panscout {

Text Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);
std::u16string GbkToUtf16(std::string_view gbk);
Text Utf16ToGbk(std::u16string_view units);
std::u16string Utf8ToUtf16(std::string_view utf8);

// Interface texts are written in UTF-8 in the sources and become GBK here.
inline Text Gbk(std::string_view utf8) { return Utf8ToGbk(utf8); }

}  // namespace panscout
