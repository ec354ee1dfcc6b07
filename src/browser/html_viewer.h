#pragma once
// An HTML viewer the search can load a page into and read back. The window
// uses Qt WebEngine; the command line and tests use a viewer that fetches the
// page itself.

#include <memory>
#include <optional>

#include "net/completion.h"
#include "runtime/text.h"

namespace panscout {

class HtmlDocument {
 public:
  virtual ~HtmlDocument() = default;
  // Text properties read by name, as GBK; nullopt when there is none.
  virtual std::optional<Text> RootElementProperty(const Text& name) = 0;
  virtual std::optional<Text> DocumentProperty(const Text& name) = 0;
};

class HtmlViewer {
 public:
  static constexpr int kReadyComplete = 4;

  virtual ~HtmlViewer() = default;
  virtual void Navigate(const Text& url) = 0;
  virtual int ReadyState() = 0;
  // Signalled when the latest navigation has loaded, or a later one has
  // started instead: wait on it, then look at the ready state again.
  virtual std::shared_ptr<Completion> LoadCompletion() = 0;
  // The document shown now and after later navigations; null if none can be had.
  virtual std::shared_ptr<HtmlDocument> Document() = 0;
};

}  // namespace panscout
