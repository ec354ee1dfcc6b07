#pragma once
// The start window: every control at its place under its form name, the two
// toolbars, the list and its actions, and the creation and closing handlers.
// The search and the advertisements are bound in by the composition root.

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

#include "app/open_with_shell.h"
#include "app/real_address.h"
#include "results/result_list.h"
#include "search/search_state.h"
#include "search/search_window.h"

class QAbstractButton;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolBar;
class QWebEngineView;

namespace panscout {

class BusyIndicator;
class LinkMarks;
class ResultListView;
class SearchMemory;

struct StartWindowServices {
  SearchState& state;
  const SourceTable& sources;
  ResultList& results;
  ShellOpener& shell;
  HitPageDownload& hitPages;
  Text& realAddress;  // held for the whole run, written by the dialog
  Text blogAddress;
  LinkMarks& links;
};

// What the creation handler hands on to the advertisement side.
struct StartWindowHooks {
  std::function<void()> resetAdvertIndexes;
  // Starts the announcement thread; never waited for.
  std::function<void(bool popupAllowed)> startAnnouncements;
  // The mode changes or the window closes: a search of all sources ends.
  std::function<void()> abandonAllSources;
};

class StartWindow : public QWidget, public SearchWindow, private ResultListObserver {
  Q_OBJECT
 public:
  static constexpr int kTimerCount = 5;

  explicit StartWindow(StartWindowServices services, QWidget* parent = nullptr);
  ~StartWindow() override;

  // 按钮1's click; the composition root binds the search here.
  void SetStartStopHandler(std::function<void()> handler) { startStop_ = std::move(handler); }
  void SetHooks(StartWindowHooks hooks) { hooks_ = std::move(hooks); }
  // Whether the source toolbar's last button, all sources at once, is chosen.
  bool AllSourcesChosen() const { return allSourcesChosen_; }

  // Runs once the window is shown: style, mode and source, the pop-up
  // question, then the announcement thread.
  void OnStartWindowCreated();
  bool popupAllowed() const { return popupAllowed_; }

  // SearchWindow
  Text KeywordText() override;
  void SetKeywordEnabled(bool enabled) override;
  void SetBusyVisible(bool visible) override;
  Text ButtonCaption() override;
  void SetButtonCaption(const Text& caption) override;
  void ShowMessage(const Text& text) override;

  // Why the last page failed, as the status bar's tooltip; empty: none did.
  void SetStatusReason(const QString& reason);

  void OnResultDoubleClick();
  void OnResultRightClick();

  // The controls the advertisement rotations drive.
  QLabel* ticker() const { return ticker_; }
  QAbstractButton* banner() const { return banner_; }
  QWebEngineView* webAd() const { return webAd_; }
  QWebEngineView* popupHost() const { return popupHost_; }
  QPlainTextEdit* settingsText() const { return settingsText_; }
  const std::array<QTimer*, kTimerCount>& timers() const { return timers_; }
  // How much taller than at opening the window is; the bottom strip moves down by it.
  int GrowthDown() const;
  // The hidden viewer that the search loads its browser-read pages into.
  QWebEngineView* automationViewer() const { return automationViewer_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void BuildTopStrip();
  void BuildSourceColumn();
  void BuildSearchRow();
  void BuildResultArea();
  void BuildBottomStrip();
  void ShowAboutBox();
  void ShowRealAddressDialog();
  void CheckLinks(const std::vector<int>& rows);
  void OnStartWindowDestroyed();
  void OnStatusChanged() override;
  void RestoreMemory();

  // How a control follows the window's growth beyond its opening size.
  enum Growth : unsigned { kWiden = 1, kHeighten = 2, kDown = 4, kCentre = 8 };
  struct Follower {
    QWidget* widget;
    QRect opening;
    unsigned how;
  };
  void Follow(QWidget* widget, unsigned how);
  QRect Followed(const QRect& opening, unsigned how) const;

  StartWindowServices services_;
  StartWindowHooks hooks_;
  std::function<void()> startStop_;
  bool popupAllowed_ = false;
  bool allSourcesChosen_ = false;
  bool painted_ = false;

  QLineEdit* keyword_ = nullptr;
  QPushButton* startButton_ = nullptr;
  ResultListView* resultView_ = nullptr;
  SearchMemory* memory_ = nullptr;
  std::vector<Follower> followers_;
  QMenu* menu_ = nullptr;
  QList<QAction*> linkActions_;  // 检查链接, 检查全部链接
  QLabel* status_ = nullptr;
  BusyIndicator* busy_ = nullptr;
  QLabel* ticker_ = nullptr;
  QAbstractButton* banner_ = nullptr;
  QWebEngineView* webAd_ = nullptr;
  QWebEngineView* popupHost_ = nullptr;
  QWebEngineView* automationViewer_ = nullptr;
  QPlainTextEdit* settingsText_ = nullptr;
  std::array<QTimer*, kTimerCount> timers_{};
};

}  // namespace panscout
