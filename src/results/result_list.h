#pragma once
// The rows of a search and the status text, observable by the window and the
// command-line front end. Cells are GBK texts exactly as extracted.

#include <vector>

#include "runtime/text.h"

namespace panscout {

class ResultListObserver {
 public:
  virtual ~ResultListObserver() = default;
  virtual void OnColumnsChanged() {}
  virtual void OnRowsCleared() {}
  virtual void OnRowAppended(int /*row*/) {}
  virtual void OnCellChanged(int /*row*/, int /*column*/) {}
  virtual void OnStatusChanged() {}
};

struct ResultColumn {
  Text caption;
  int width = 0;
};

class ResultList {
 public:
  ResultList();  // starts empty, with the net-disk columns

  void ClearRows();
  int AppendRow();
  void SetCell(int row, int column, const Text& text);
  Text CellText(int row, int column) const;
  int RowCount() const { return static_cast<int>(rows_.size()); }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const std::vector<ResultColumn>& Columns() const { return columns_; }
  void InsertColumn(int index, const Text& caption, int width);
  void DeleteColumn(int index);

  int SelectedRow() const { return selected_; }
  void SetSelectedRow(int row);

  void SetStatus(const Text& text);
  const Text& Status() const { return status_; }

  void AddObserver(ResultListObserver* observer);
  void RemoveObserver(ResultListObserver* observer);

 private:
  template <typename Call>
  void Notify(Call call);

  std::vector<ResultColumn> columns_;
  std::vector<std::vector<Text>> rows_;
  int selected_ = -1;
  Text status_;
  std::vector<ResultListObserver*> observers_;
};

}  // namespace panscout
