#pragma once

#include <memory>

#include "browser/html_viewer.h"

namespace panscout {

// Binds to the document of a viewer and reads text properties from it.
class DocumentAccessor {
 public:
  bool BindToViewer(HtmlViewer& viewer);
  // "outerHTML" and "innerText" are read from the root element, every other
  // name from the document itself; empty on any failure.
  Text ReadDocumentText(const Text& name) const;

 private:
  std::shared_ptr<HtmlDocument> document_;
};

}  // namespace panscout
