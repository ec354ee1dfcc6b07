#include "app/gui/link_marks.h"

#include "app/gui/artwork.h"
#include "app/gui/qt_text.h"

namespace panscout {

LinkMarks::LinkMarks(ResultList& results, CookieStore& cookies, const NetworkSettings& network, LinkCache& cache,
                     LinkCheckSettings settings, QObject* parent)
    : QObject(parent),
      results_(results),
      cookies_(cookies),
      network_(network),
      cache_(cache),
      settings_(settings) {
  results_.AddObserver(this);
}

void LinkMarks::OnVerdict(const Text& address, const LinkState& state) {
  QMetaObject::invokeMethod(
      this,
      [this, address, state] {
        // A verdict that comes after the list was cleared belongs to no row.
        auto mark = marks_.find(address);
        if (mark == marks_.end()) return;
        mark->second.state = state;
        emit changed();
      },
      Qt::QueuedConnection);
}

LinkMarks::~LinkMarks() {
  results_.RemoveObserver(this);
  // Its workers post to this object; they must end while it is whole.
  checker_.reset();
}

void LinkMarks::Check(const std::vector<int>& rows, const std::function<LinkCheckRule(int row)>& ruleOf) {
  if (!checker_) {
    checker_ = std::make_unique<LinkChecker>(
        cookies_, network_, &cache_, [this](const Text& address, const LinkState& state) { OnVerdict(address, state); },
        settings_);
  }
  for (int row : rows) {
    const Text& address = results_.Row(row).address;
    if (address.empty()) continue;
    marks_[address].state.reset();
    checker_->Check(address, ruleOf(row));
  }
  emit changed();
}

const LinkMark* LinkMarks::Find(const Text& address) const {
  auto mark = marks_.find(address);
  return mark == marks_.end() ? nullptr : &mark->second;
}

void LinkMarks::OnRowsCleared() {
  if (checker_) checker_->Cancel();
  marks_.clear();
  emit changed();
}

QString LinkMarks::Describe(const LinkMark& mark) {
  if (!mark.state) return Ui("正在检查链接…");
  static const char* const kWords[] = {"链接有效", "链接已失效", "链接有效，需要提取码", "链接状态不明"};
  return Ui(kWords[static_cast<int>(mark.state->verdict)]) + Ui("：") + QString::fromStdString(mark.state->reason);
}

QIcon LinkMarks::Picture(const LinkMark& mark) const {
  auto drawn = [](QIcon& icon, QIcon (*draw)()) -> const QIcon& {
    if (icon.isNull()) icon = draw();
    return icon;
  };
  if (!mark.state) return drawn(busy_, BusyMark);
  return mark.state->verdict == LinkVerdict::kLocked ? drawn(lock_, LockMark) : QIcon();
}

}  // namespace panscout
