#pragma once
// The rows of a search and the status text, observable by the window and the
// command-line front end. Fields are GBK texts exactly as extracted.

#include <vector>

#include "runtime/text.h"

namespace panscout {

enum class ResultField { kName, kSize, kAddress, kSource };

// One hit; a torrent hit has no size. In a search of several sources a row
// names its own: `source` is that source's caption, `origin` its number (0:
// the row is the chosen source's).
struct ResultRow {
  Text name, size, address;
  Text source;
  int origin = 0;

  const Text& Field(ResultField field) const;
  Text& Field(ResultField field);
};

struct ResultColumn {
  ResultField field;
  Text caption;
  int width = 0;
};

// Which fields the list shows, and in which columns: net-disk search shows
// name, size and address; torrent search name and address. A search of
// several sources adds the source's caption at the end.
enum class ResultLayout { kNetDisk, kTorrent };
std::vector<ResultColumn> ColumnsOf(ResultLayout layout, bool withSource = false);

class ResultListObserver {
 public:
  virtual ~ResultListObserver() = default;
  virtual void OnColumnsChanged() {}
  virtual void OnRowsCleared() {}
  virtual void OnRowAppended(int /*row*/) {}
  // `column` is -1 for a field the layout does not show.
  virtual void OnCellChanged(int /*row*/, int /*column*/) {}
  virtual void OnStatusChanged() {}
};

class ResultList {
 public:
  ResultList();  // starts empty, in the net-disk layout

  void ClearRows();
  int AppendRow();
  // A whole row at once, with its source.
  int AppendRow(const ResultRow& row);
  void SetField(int row, ResultField field, const Text& text);
  // The empty row outside the list.
  const ResultRow& Row(int row) const;
  int RowCount() const { return static_cast<int>(rows_.size()); }

  // Keeps the rows; the window clears them itself when it switches modes.
  void SetLayout(ResultLayout layout);
  void SetSourceColumn(bool shown);
  const std::vector<ResultColumn>& Columns() const { return columns_; }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  // The column showing `field`, -1 when none does.
  int ColumnOf(ResultField field) const;
  // The text shown in a column; empty outside the list.
  Text CellText(int row, int column) const;

  int SelectedRow() const { return selected_; }
  void SetSelectedRow(int row);

  void SetStatus(const Text& text);
  const Text& Status() const { return status_; }

  void AddObserver(ResultListObserver* observer);
  void RemoveObserver(ResultListObserver* observer);

 private:
  template <typename Call>
  void Notify(Call call);

  void SetColumns(ResultLayout layout, bool withSource);

  ResultLayout layout_ = ResultLayout::kNetDisk;
  bool withSource_ = false;
  std::vector<ResultColumn> columns_;
  std::vector<ResultRow> rows_;
  int selected_ = -1;
  Text status_;
  std::vector<ResultListObserver*> observers_;
};

}  // namespace panscout
