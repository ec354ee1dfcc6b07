#pragma once

#include <string>

#include "net/page_source.h"

namespace panscout {

// The first page of a search read from a file, for trying a definition on a
// saved page without a network; any later page fails.
class SavedPageSource : public PageSource {
 public:
  explicit SavedPageSource(std::string file) : file_(std::move(file)) {}
  Fetched Fetch(const Text& url, Text* headerTextOut = nullptr) override;

 private:
  std::string file_;
  bool served_ = false;
};

}  // namespace panscout
