#include "app/gui/name_filter.h"

namespace panscout {

NameFilter::NameFilter(const QString& text) {
  for (const QString& word : text.simplified().split(' ', Qt::SkipEmptyParts)) {
    if (word == "-") continue;
    if (word.startsWith('-')) {
      excluded_ << word.mid(1);
    } else {
      required_ << word;
    }
  }
}

bool NameFilter::Matches(const QString& name) const {
  for (const QString& word : required_) {
    if (!name.contains(word, Qt::CaseInsensitive)) return false;
  }
  for (const QString& word : excluded_) {
    if (name.contains(word, Qt::CaseInsensitive)) return false;
  }
  return true;
}

}  // namespace panscout
