#include "browser/fetching_viewer.h"

#include "net/page_source.h"
#include "net/response_text.h"

namespace panscout {
namespace {

constexpr int kLoading = 1;
constexpr int kMetaScanBytes = 4096;

// The charset named after "charset=" in `text`, lower-cased; empty if none.
Text CharsetIn(const Text& text) {
  int at = FindText(text, "charset=", std::nullopt, true);
  if (at == kNotFound) return {};
  Text rest = MiddleText(text, at + 8, 40);
  Text name;
  for (char c : rest) {
    if (c == '"' || c == '\'') {
      if (name.empty()) continue;
      break;
    }
    if (c == ';' || c == ' ' || c == '>' || c == '/' || c == '\r' || c == '\n') break;
    name.push_back(c);
  }
  return LowerCase(name);
}

}  // namespace

class FetchingViewer::Page : public HtmlDocument {
 public:
  Text text;

  std::optional<Text> RootElementProperty(const Text& name) override {
    if (name == "outerHTML" || name == "innerText") return text;
    return std::nullopt;
  }
  std::optional<Text> DocumentProperty(const Text& /*name*/) override { return std::nullopt; }
};

FetchingViewer::FetchingViewer(PageSource& pages) : pages_(pages), page_(std::make_shared<Page>()) {}

std::shared_ptr<HtmlDocument> FetchingViewer::Document() { return page_; }

void FetchingViewer::Navigate(const Text& url) {
  readyState_ = kLoading;
  loaded_->Signal();
  loaded_ = std::make_shared<Completion>();
  std::shared_ptr<Completion> loaded = loaded_;
  Text headers;
  Bytes body = pages_.Fetch(url, &headers).body;
  page_->text = DecodePageText(body, headers);
  readyState_ = kReadyComplete;
  loaded->Signal();
}

Text DecodePageText(const Bytes& body, const Text& headerText) {
  Text charset = CharsetIn(headerText);
  if (charset.empty()) charset = CharsetIn(ToText(LeftBytes(body, kMetaScanBytes)));
  const std::string bom = "\xEF\xBB\xBF";
  if (body.data.rfind(bom, 0) == 0) return Utf8PageToText(Bytes(body.data.substr(bom.size())));
  if (charset == "utf-8" || charset == "utf8") return Utf8PageToText(body);
  return ToText(body);
}

}  // namespace panscout
