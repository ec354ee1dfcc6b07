#include "app/open_with_shell.h"

#include "runtime/codepage.h"

namespace panscout {

bool IsWebAddress(const Text& address) {
  for (const char* scheme : {"http://", "https://"}) {
    Text prefix(scheme);
    if (address.size() > prefix.size() && LowerCase(LeftText(address, TextLength(prefix))) == prefix) {
      return true;
    }
  }
  return false;
}

void OpenWithShell(ShellOpener& shell, const Text& address) {
  if (IsWebAddress(address)) shell.OpenUrl(GbkToUtf8(address));
}

}  // namespace panscout
