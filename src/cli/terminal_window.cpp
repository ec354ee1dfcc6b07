#include "cli/terminal_window.h"

#include <cstdio>

#include "runtime/codepage.h"

namespace panscout {

TerminalWindow::TerminalWindow(Text keyword) : keyword_(std::move(keyword)), caption_(Gbk("开始搜索")) {}

void TerminalWindow::ShowMessage(const Text& text) {
  std::fprintf(stderr, "%s\n", GbkToUtf8(text).c_str());
}

bool TerminalWindow::Searching() const { return caption_ == Gbk("停止搜索"); }

}  // namespace panscout
