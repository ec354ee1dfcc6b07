#pragma once

#include <functional>

#include "results/result_list.h"

namespace panscout {

// Hands on each row of a list once it is whole: when the next row is
// appended, or on Flush(), which a search calls before it reads its next page
// and when it has ended (not at its final status: the page that sets it may
// still be filling its last row). Clearing the rows starts over.
class RowStream : public ResultListObserver {
 public:
  using Sink = std::function<void(const ResultRow&)>;
  RowStream(ResultList& results, Sink sink);
  ~RowStream() override;
  RowStream(const RowStream&) = delete;
  RowStream& operator=(const RowStream&) = delete;

  void Flush() { HandOnBefore(results_.RowCount()); }

  void OnRowsCleared() override { next_ = 0; }
  void OnRowAppended(int row) override { HandOnBefore(row); }

 private:
  void HandOnBefore(int end);

  ResultList& results_;
  Sink sink_;
  int next_ = 0;
};

}  // namespace panscout
