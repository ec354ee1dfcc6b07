#pragma once
// Pages served as UTF-8 become GBK text before any pattern is applied to them.
// Both conversions end at the first zero byte (or zero unit) of the buffer and
// never read past its end; bad input is replaced, never refused.

#include "runtime/text.h"

namespace panscout {

// A UTF-8 page body as GBK text.
Text Utf8PageToText(const Bytes& body);

// UTF-16 code units, little-endian, two bytes each, as GBK text. A final odd
// byte is not a whole unit and is ignored.
Text WideToText(const Bytes& utf16le);

}  // namespace panscout
