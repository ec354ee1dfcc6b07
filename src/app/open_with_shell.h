#pragma once
// Hands an address to the desktop. Every address comes from a remote page, so
// only web addresses go out; anything else is dropped without a word.

#include <string>

#include "runtime/text.h"

namespace panscout {

class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  virtual void OpenUrl(const std::string& utf8Url) = 0;
};

bool IsWebAddress(const Text& address);
void OpenWithShell(ShellOpener& shell, const Text& address);

}  // namespace panscout
