#pragma once

#include "app/open_with_shell.h"

namespace panscout {

// Opens addresses with the desktop's URL handler (usually the web browser).
class QtShellOpener : public ShellOpener {
 public:
  void OpenUrl(const std::string& utf8Url) override;
};

}  // namespace panscout
