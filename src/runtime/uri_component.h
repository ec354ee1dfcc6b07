#pragma once
// Percent-encoding of a keyword as ECMAScript's encodeURIComponent does it,
// computed directly, so a search needs no script engine.

#include "runtime/text.h"

namespace panscout {

// The UTF-8 bytes of the GBK text's characters, each escaped as %XX (capital
// hex) except ASCII letters, digits and - _ . ! ~ * ' ( ).
Text EncodeUriComponent(const Text& gbk);

}  // namespace panscout
