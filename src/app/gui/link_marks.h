#pragma once
// The link verdicts the list shows: rows being checked, and the verdict of
// each address checked. Checks run on the checker's own threads and their
// verdicts come back through the event loop, so the window never waits; a
// cleared list (a new search) cancels the checks still pending.

#include <QIcon>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "app/link_checker.h"
#include "results/result_list.h"

namespace panscout {

class LinkCache;

struct LinkMark {
  std::optional<LinkState> state;  // none while the address is being checked
};

class LinkMarks : public QObject, private ResultListObserver {
  Q_OBJECT
 public:
  LinkMarks(ResultList& results, CookieStore& cookies, const NetworkSettings& network, LinkCache& cache,
            LinkCheckSettings settings = {}, QObject* parent = nullptr);
  ~LinkMarks() override;

  // Checks the addresses of these rows of the result list, each by the rule of its source.
  void Check(const std::vector<int>& rows, const std::function<LinkCheckRule(int row)>& ruleOf);
  // Null for an address never checked since the list was last cleared.
  const LinkMark* Find(const Text& address) const;

  // "正在检查链接…", or the verdict in words and its reason.
  static QString Describe(const LinkMark& mark);
  // The mark beside a row's name: busy while checked, a lock when locked, none otherwise.
  QIcon Picture(const LinkMark& mark) const;

 signals:
  void changed();

 private:
  void OnRowsCleared() override;
  void OnVerdict(const Text& address, const LinkState& state);

  ResultList& results_;
  CookieStore& cookies_;
  NetworkSettings network_;
  LinkCache& cache_;
  LinkCheckSettings settings_;
  mutable QIcon busy_, lock_;  // drawn at first need, once: the list asks at every paint
  std::unordered_map<Text, LinkMark> marks_;
  std::unique_ptr<LinkChecker> checker_;  // from the first check on: its threads wait for work
};

}  // namespace panscout
