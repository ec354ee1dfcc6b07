#pragma once
// What the search needs of the window it runs in. The desktop window, the
// command-line front end and the tests each provide one.

#include "runtime/text.h"

namespace panscout {

class SearchWindow {
 public:
  virtual ~SearchWindow() = default;
  virtual Text KeywordText() = 0;
  virtual void SetKeywordEnabled(bool enabled) = 0;
  virtual void SetBusyVisible(bool visible) = 0;
  virtual Text ButtonCaption() = 0;
  virtual void SetButtonCaption(const Text& caption) = 0;
  // An OK box with the default title "信息："; returns once it is closed.
  virtual void ShowMessage(const Text& text) = 0;
};

}  // namespace panscout
