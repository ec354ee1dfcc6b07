#include "browser/document_accessor.h"

namespace panscout {

bool DocumentAccessor::BindToViewer(HtmlViewer& viewer) {
  auto document = viewer.Document();
  if (!document) return false;  // keeps what it held
  document_ = std::move(document);
  return true;
}

Text DocumentAccessor::ReadDocumentText(const Text& name) const {
  if (!document_) return {};
  bool ofRoot = name == "outerHTML" || name == "innerText";
  auto value = ofRoot ? document_->RootElementProperty(name) : document_->DocumentProperty(name);
  return value.value_or(Text());
}

}  // namespace panscout
