#pragma once
// A viewer without a screen: navigating fetches the page and holds it, decoded
// from its character set as a browser would, as the document's GBK text.

#include <memory>

#include "browser/html_viewer.h"

namespace panscout {

class PageSource;

class FetchingViewer : public HtmlViewer {
 public:
  explicit FetchingViewer(PageSource& pages);

  void Navigate(const Text& url) override;
  int ReadyState() override { return readyState_; }
  std::shared_ptr<Completion> LoadCompletion() override { return loaded_; }
  std::shared_ptr<HtmlDocument> Document() override;

 private:
  class Page;
  PageSource& pages_;
  std::shared_ptr<Page> page_;
  int readyState_ = 0;
  std::shared_ptr<Completion> loaded_ = std::make_shared<Completion>();
};

// The page's text as GBK: UTF-8 when the header or the page says so,
// otherwise taken as GBK already.
Text DecodePageText(const Bytes& body, const Text& headerText);

}  // namespace panscout
