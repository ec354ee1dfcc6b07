#pragma once

#include "runtime/text.h"

namespace panscout {

// The seven request texts, in record order.
struct HttpRequest {
  Text url, method, proxy, userName, password, extraHeaders, postData;
};

}  // namespace panscout
