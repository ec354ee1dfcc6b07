#include "net/observed_page_source.h"

namespace panscout {

Fetched ObservedPageSource::Fetch(const Text& url, Text* headerTextOut) {
  if (starting_) starting_();
  auto started = std::chrono::steady_clock::now();
  Fetched fetched = inner_.Fetch(url, headerTextOut);
  observer_(url, fetched,
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started));
  return fetched;
}

}  // namespace panscout
