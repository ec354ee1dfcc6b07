#pragma once

#include "search/search_window.h"

namespace panscout {

// The window the search runs in on a terminal: its messages go to stderr.
class TerminalWindow : public SearchWindow {
 public:
  explicit TerminalWindow(Text keyword);

  Text KeywordText() override { return keyword_; }
  void SetKeywordEnabled(bool) override {}
  void SetBusyVisible(bool) override {}
  Text ButtonCaption() override { return caption_; }
  void SetButtonCaption(const Text& caption) override { caption_ = caption; }
  void ShowMessage(const Text& text) override;

  bool Searching() const;

 private:
  Text keyword_;
  Text caption_;
};

}  // namespace panscout
