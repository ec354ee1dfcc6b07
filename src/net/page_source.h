#pragma once

#include "net/fetch_status.h"

namespace panscout {

// Where the search gets the bytes of an address: over HTTP in the program,
// with the calling thread's events dispatched while it waits.
class PageSource {
 public:
  virtual ~PageSource() = default;
  // The body, or the empty buffer on any failure or time-out, with the reason.
  virtual Fetched Fetch(const Text& url, Text* headerTextOut = nullptr) = 0;
};

}  // namespace panscout
