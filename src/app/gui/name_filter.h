#pragma once
// The quick filter over the names already listed: every word must occur in
// the name, a word written "-word" must not; letters match in either case.

#include <QString>
#include <QStringList>

namespace panscout {

class NameFilter {
 public:
  NameFilter() = default;
  // Words are separated by blanks, the ideographic one too; a lone "-" is no word.
  explicit NameFilter(const QString& text);

  bool Matches(const QString& name) const;
  bool IsEmpty() const { return required_.isEmpty() && excluded_.isEmpty(); }

 private:
  QStringList required_;
  QStringList excluded_;
};

}  // namespace panscout
