// Arbitrary bytes as a result page of any source or of the torrent search,
// through the whole press: acquisition, counting and every pass.

#include <QCoreApplication>
#include <cstdlib>

#include "search/search_harness.h"

using namespace panscout;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);  // the search's Qt objects need one
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int source = data[0] % 8;  // 0: the torrent search
  testing::SearchHarness h;
  if (source == 0) {
    h.SelectMode(2);
  } else {
    h.SelectSource(source);
  }
  // The same page twice, so a search that pages on meets it again.
  std::string page(reinterpret_cast<const char*>(data + 1), size - 1);
  h.pages.pages = {page, page};
  h.Press();
  // A search always ends, and with the window at rest.
  if (h.state.Step(SelectedSource(h.state, h.sources)->step).running || !h.window.keywordEnabled) std::abort();
  return 0;
}
