#pragma once

#include <chrono>
#include <functional>

#include "net/page_source.h"

namespace panscout {

// Tells an observer about every page another source fetches: its address,
// how it ended and how long it took; and, when given, `starting` before each
// fetch. Front ends report failures through it.
class ObservedPageSource : public PageSource {
 public:
  using Observer = std::function<void(const Text& url, const Fetched& fetched, std::chrono::milliseconds took)>;
  ObservedPageSource(PageSource& inner, Observer observer, std::function<void()> starting = {})
      : inner_(inner), observer_(std::move(observer)), starting_(std::move(starting)) {}
  Fetched Fetch(const Text& url, Text* headerTextOut = nullptr) override;

 private:
  PageSource& inner_;
  Observer observer_;
  std::function<void()> starting_;
};

}  // namespace panscout
