#include "results/row_stream.h"

namespace panscout {

RowStream::RowStream(ResultList& results, Sink sink) : results_(results), sink_(std::move(sink)) {
  results_.AddObserver(this);
}

RowStream::~RowStream() { results_.RemoveObserver(this); }

void RowStream::HandOnBefore(int end) {
  while (next_ < end) sink_(results_.Row(next_++));
}

}  // namespace panscout
