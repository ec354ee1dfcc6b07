#include "cli/saved_page_source.h"

#include <fstream>
#include <iterator>

namespace panscout {

Fetched SavedPageSource::Fetch(const Text&, Text* headerTextOut) {
  if (headerTextOut) headerTextOut->clear();
  if (served_) return {{}, {FetchStatus::kFailed, 0, 0, "only the first page is saved"}};
  served_ = true;
  std::ifstream in(file_, std::ios::binary);
  if (!in) return {{}, {FetchStatus::kFailed, 0, 0, file_ + " cannot be read"}};
  return {Bytes(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())), {}};
}

}  // namespace panscout
