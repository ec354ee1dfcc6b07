#pragma once

#include <memory>

#include "cli/row_writer.h"
#include "net/page_source.h"

namespace panscout {

// Hands the rows written so far to the reader before each fetch: every row of
// a page is out while the next page is on its way, and a page costs one write.
class FlushedPageSource : public PageSource {
 public:
  FlushedPageSource(std::unique_ptr<PageSource> inner, RowWriter& rows) : inner_(std::move(inner)), rows_(rows) {}
  Fetched Fetch(const Text& url, Text* headerTextOut = nullptr) override {
    rows_.Flush();
    return inner_->Fetch(url, headerTextOut);
  }

 private:
  std::unique_ptr<PageSource> inner_;
  RowWriter& rows_;
};

}  // namespace panscout
