#include "app/gui/start_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>

#include "app/gui/artwork.h"
#include "app/gui/busy_indicator.h"
#include "app/gui/link_marks.h"
#include "app/gui/qt_text.h"
#include "app/gui/real_address_dialog.h"
#include "app/gui/result_list_view.h"
#include "app/gui/search_memory.h"
#include "app/gui/task_modal_box.h"
#include "app/gui/visual_style.h"
#include "app/result_actions.h"
#include "search/search_controller.h"

namespace panscout {

namespace {

const char* const kProductTitle = "Panscout 网盘资源搜索";
const char* const kCreditLine =
    "Panscout 网盘资源搜索\n作者：Panscout 开发组\n\n感谢您的使用与支持，祝您找到想要的资源！";

// The opening size; the window may grow from it, never shrink below it.
constexpr QSize kOpeningSize(554, 562);
constexpr QRect kListArea(112, 136, 432, 288);

template <typename W>
W* Place(W* widget, const char* name, int x, int y, int width, int height) {
  widget->setObjectName(QString::fromUtf8(name));
  widget->setGeometry(x, y, width, height);
  return widget;
}

QWebEngineView* HiddenFromFocus(QWebEngineView* view) {
  view->setFocusPolicy(Qt::NoFocus);
  view->setContextMenuPolicy(Qt::NoContextMenu);
  return view;
}

}  // namespace

StartWindow::StartWindow(StartWindowServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)) {
  setObjectName("启动窗口");
  setWindowTitle(Ui(kProductTitle));
  setWindowIcon(ProductIcon());
  setMinimumSize(kOpeningSize);
  resize(kOpeningSize);
  move(50, 50);

  BuildTopStrip();
  BuildSourceColumn();
  BuildSearchRow();
  BuildResultArea();
  BuildBottomStrip();
  for (int i = 0; i < kTimerCount; ++i) {
    timers_[i] = new QTimer(this);
    timers_[i]->setObjectName(Ui("时钟") + QString::number(i + 1));
  }
  RestoreMemory();
}

void StartWindow::RestoreMemory() {
  memory_ = new SearchMemory(HistoryPath(), this);
  memory_->AttachKeywordBox(keyword_);
  if (auto size = memory_->WindowSize()) resize(size->expandedTo(kOpeningSize));
  resultView_->view().SetSort(memory_->Sort());
  connect(&resultView_->view(), &ResultViewModel::sortChanged, this,
          [this] { memory_->RememberSort(resultView_->view().Sort()); });
}

void StartWindow::Follow(QWidget* widget, unsigned how) {
  followers_.push_back({widget, widget->geometry(), how});
}

QRect StartWindow::Followed(const QRect& opening, unsigned how) const {
  // A window manager may force a smaller window: it then shows a part of the opening layout.
  QSize growth = size().expandedTo(kOpeningSize) - kOpeningSize;
  QRect rect = opening;
  if (how & kWiden) rect.setWidth(opening.width() + growth.width());
  if (how & kHeighten) rect.setHeight(opening.height() + growth.height());
  if (how & kDown) rect.translate(0, growth.height());
  if (how & kCentre) rect.translate(growth.width() / 2, growth.height() / 2);
  return rect;
}

int StartWindow::GrowthDown() const { return std::max(0, height() - kOpeningSize.height()); }

void StartWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  for (const Follower& f : followers_) f.widget->setGeometry(Followed(f.opening, f.how));
  resultView_->SetArea(Followed(kListArea, kWiden | kHeighten));
}

StartWindow::~StartWindow() { services_.results.RemoveObserver(this); }

void StartWindow::OnStatusChanged() {
  QString filterStatus = resultView_->FilterStatus();
  status_->setText(filterStatus.isEmpty() ? ToQString(services_.results.Status()) : filterStatus);
}

void StartWindow::SetStatusReason(const QString& reason) { status_->setToolTip(reason); }

void StartWindow::BuildTopStrip() {
  auto* frame = Place(new QGroupBox(this), "分组框2", 0, 0, 544, 96);
  Follow(frame, kWiden);

  auto* modes = Place(new QToolBar(frame), "工具条1", 8, 16, 528, 69);
  modes->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  modes->setIconSize(QSize(32, 32));
  modes->setMovable(false);
  // The buttons must end before the about button, which shares the strip.
  modes->setStyleSheet("QToolBar{spacing:0;padding:0;border:none;}");
  auto* group = new QActionGroup(modes);
  auto addMode = [&](const char* caption, const QIcon& icon, int mode) {
    QAction* action = modes->addAction(icon, Ui(caption));
    action->setCheckable(true);
    group->addAction(action);
    modes->widgetForAction(action)->setFixedSize(56, 62);
    connect(action, &QAction::triggered, this, [this, mode] {
      if (hooks_.abandonAllSources) hooks_.abandonAllSources();
      ApplyModeLayout(services_.state, services_.results, mode);
    });
    return action;
  };
  addMode("网盘搜索", NetDiskIcon(), kNetDiskMode)->setChecked(true);
  addMode("种子搜索", TorrentIcon(), kTorrentMode);
  modes->addSeparator();
  QAction* blog = modes->addAction(BlogIcon(), Ui("作者博客"));
  modes->widgetForAction(blog)->setFixedSize(56, 62);
  connect(blog, &QAction::triggered, this,
          [this] { OpenWithShell(services_.shell, services_.blogAddress); });

  auto* about = Place(new QToolButton(frame), "超级按钮2", 184, 19, 56, 70);
  about->setText(Ui("关于作者"));
  about->setIcon(AuthorIcon());
  about->setIconSize(QSize(40, 40));
  about->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  about->setAutoRaise(true);
  connect(about, &QToolButton::clicked, this, &StartWindow::ShowAboutBox);

  auto* banner = Place(new QToolButton(frame), "超级按钮1", 248, 16, 288, 72);
  banner->setIconSize(QSize(284, 68));
  banner->setCursor(Qt::PointingHandCursor);
  banner->setStyleSheet(
      "QToolButton{border:1px solid #d6dde6;border-radius:4px;"
      "background:qlineargradient(x1:0,y1:0,x2:1,y2:1,stop:0 #ffffff,stop:1 #e8f1fb);}");
  banner_ = banner;

  // Lies outside its frame: the pop-up page loads where nobody sees it.
  popupHost_ = HiddenFromFocus(Place(new QWebEngineView(frame), "超文本浏览框3", 488, 464, 32, 24));
  popupHost_->hide();

  automationViewer_ = Place(new QWebEngineView(this), "超文本浏览框1", 464, 72, 72, 16);
  automationViewer_->hide();
  Place(new QLineEdit(this), "编辑框2", 520, 72, 16, 16)->hide();
}

void StartWindow::BuildSourceColumn() {
  Follow(Place(new QGroupBox(this), "分组框1", 0, 96, 112, 328), kHeighten);

  auto* sources = Place(new QToolBar(this), "工具条2", 16, 110, 80, 312);
  sources->setOrientation(Qt::Vertical);
  sources->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  sources->setIconSize(QSize(22, 22));
  sources->setMovable(false);
  sources->setStyleSheet("QToolBar{spacing:0;padding:0;border:none;}");
  auto* group = new QActionGroup(sources);
  QIcon icon = SourceIcon();
  const std::vector<const SourceRule*> buttons = services_.sources.Buttons();
  const auto shown = std::count_if(buttons.begin(), buttons.end(), [](const SourceRule* s) { return !s->hidden; });
  // The built-ins and the all-sources button fill the 312-pixel column; the
  // user's own make them shorter rather than push a built-in into the overflow
  // menu, down to a height that still holds icon and caption.
  const int height = std::clamp(312 / static_cast<int>(shown + 1), 40, 51);
  auto addSource = [&](const QString& caption, bool all) {
    QAction* action = sources->addAction(icon, caption);
    action->setCheckable(true);
    group->addAction(action);
    sources->widgetForAction(action)->setFixedSize(78, height);
    connect(action, &QAction::triggered, this, [this, all] { allSourcesChosen_ = all; });
    return action;
  };
  for (const SourceRule* source : buttons) {
    QAction* action = addSource(ToQString(source->caption), false);
    action->setChecked(source == buttons.front());
    action->setVisible(!source->hidden);
    connect(action, &QAction::triggered, this,
            [this, number = source->number] { services_.state.sourceNumber = number; });
  }
  addSource(Ui("全部来源"), true)->setObjectName(Ui("全部来源"));
}

void StartWindow::BuildSearchRow() {
  keyword_ = Place(new QLineEdit(Ui("关键字"), this), "搜索框", 120, 104, 176, 26);
  keyword_->installEventFilter(this);
  startButton_ = Place(new QPushButton(Ui("开始搜索"), this), "按钮1", 304, 104, 56, 24);
  connect(startButton_, &QPushButton::clicked, this, [this] {
    // Only a search that starts is remembered: the same press also stops one.
    bool starting = startButton_->text() == Ui("开始搜索") && !keyword_->text().isEmpty();
    if (starting) memory_->RememberKeyword(keyword_->text());
    if (startStop_) startStop_();
  });
  auto* hint = Place(new QLabel(Ui("双击搜索出来的资源，打开下载"), this), "标签1", 368, 104, 176, 24);
  hint->setStyleSheet("color:#5f6b7a;");
}

void StartWindow::BuildResultArea() {
  resultView_ = new ResultListView(services_.results, services_.links, this);
  resultView_->SetArea(kListArea);
  resultView_->list()->viewport()->installEventFilter(this);
  connect(resultView_->list(), &QWidget::customContextMenuRequested, this, &StartWindow::OnResultRightClick);
  connect(resultView_, &ResultListView::filterStatusChanged, this, &StartWindow::OnStatusChanged);

  menu_ = new QMenu(this);
  menu_->setObjectName("菜单");
  // Resolving from the menu does what the double-click on a 115 hit does.
  connect(menu_->addAction(Ui("解析真实地址")), &QAction::triggered, this,
          &StartWindow::ShowRealAddressDialog);

  auto* checkSelected = new QAction(Ui("检查链接"), this);
  connect(checkSelected, &QAction::triggered, this, [this] { CheckLinks(resultView_->SelectedRows()); });
  auto* checkAll = new QAction(Ui("检查全部链接"), this);
  connect(checkAll, &QAction::triggered, this, [this] { CheckLinks(resultView_->view().AllSourceRows()); });
  linkActions_ = {checkSelected, checkAll};

  busy_ = Place(new BusyIndicator(this), "图片框1", 264, 208, 96, 96);
  busy_->hide();
  Follow(busy_, kCentre);
}

void StartWindow::BuildBottomStrip() {
  ticker_ = Place(new QLabel(Ui("广告招租中.."), this), "超级链接框1", 176, 424, 352, 24);
  ticker_->setCursor(Qt::PointingHandCursor);
  ticker_->setStyleSheet("QLabel{color:#1565c0;text-decoration:underline;}");
  Follow(ticker_, kDown);

  auto* statusBar = Place(new QStatusBar(this), "状态条1", 0, 426, 168, 20);
  statusBar->setSizeGripEnabled(false);
  status_ = new QLabel(ToQString(services_.results.Status()));
  status_->setFixedWidth(200);
  statusBar->addWidget(status_);
  Follow(statusBar, kDown);
  services_.results.AddObserver(this);

  settingsText_ = Place(new QPlainTextEdit(this), "编辑框1", 312, 432, 24, 16);
  settingsText_->hide();
  webAd_ = HiddenFromFocus(Place(new QWebEngineView(this), "超文本浏览框2", -8, 448, 664, 88));
  webAd_->hide();
  Follow(webAd_, kWiden | kDown);
}

void StartWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (painted_) return;
  painted_ = true;
  // A shown view starts the web engine, which takes longer than everything
  // the first paint needs: the views come after that paint.
  QTimer::singleShot(0, this, [this] {
    // Until an advertisement loads, the strip is the window's own background.
    webAd_->page()->setBackgroundColor(palette().color(QPalette::Window));
    webAd_->show();
    popupHost_->show();
  });
}

bool StartWindow::event(QEvent* event) {
  // The first shown web view makes the window draw through OpenGL, which
  // gives it a new native window, on top of a box already open: the box
  // comes back up.
  if (event->type() == QEvent::WinIdChange && painted_) {
    if (QWidget* box = QApplication::activeModalWidget()) {
      box->raise();
      box->activateWindow();
    }
  }
  return QWidget::event(event);
}

void StartWindow::OnStartWindowCreated() {
  ApplyVisualStyle();
  services_.state.searchMode = kNetDiskMode;
  services_.state.sourceNumber = 4;
  if (hooks_.resetAdvertIndexes) hooks_.resetAdvertIndexes();
  popupAllowed_ = TaskModalBox(QMessageBox::NoIcon, Ui("提醒"), Ui("支持作者，是否弹出广告？"),
                               QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
  if (hooks_.startAnnouncements) hooks_.startAnnouncements(popupAllowed_);
}

void StartWindow::OnStartWindowDestroyed() {
  for (QTimer* timer : timers_) timer->stop();
}

void StartWindow::closeEvent(QCloseEvent* event) {
  OnStartWindowDestroyed();
  memory_->RememberWindowSize(size());
  if (hooks_.abandonAllSources) hooks_.abandonAllSources();
  // A search runs inside the button's click; it must end for the program to.
  for (StepRun& step : services_.state.steps) step.running = false;
  event->accept();
}

bool StartWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == keyword_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    keyword_->clear();
  } else if (watched == resultView_->list()->viewport() && event->type() == QEvent::MouseButtonDblClick &&
             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    // Also on empty space: the action uses the selection, not the point.
    OnResultDoubleClick();
  }
  return QWidget::eventFilter(watched, event);
}

Text StartWindow::KeywordText() { return FromQString(keyword_->text()); }
void StartWindow::SetKeywordEnabled(bool enabled) { keyword_->setEnabled(enabled); }

void StartWindow::SetBusyVisible(bool visible) {
  busy_->setVisible(visible);
  if (visible) busy_->raise();
}

Text StartWindow::ButtonCaption() { return FromQString(startButton_->text()); }
void StartWindow::SetButtonCaption(const Text& caption) { startButton_->setText(ToQString(caption)); }

void StartWindow::ShowMessage(const Text& text) {
  TaskModalBox(QMessageBox::NoIcon, Ui("信息："), ToQString(text), QMessageBox::Ok);
}

void StartWindow::ShowAboutBox() {
  TaskModalBox(QMessageBox::Question, Ui("友情提醒"), Ui(kCreditLine), QMessageBox::Ok);
}

void StartWindow::OnResultDoubleClick() {
  DoubleClickAction action = DecideDoubleClick(services_.state, services_.sources, services_.results);
  if (action.kind == DoubleClickAction::kRealAddressDialog) ShowRealAddressDialog();
  if (action.kind == DoubleClickAction::kOpenAddress) OpenWithShell(services_.shell, action.address);
}

void StartWindow::OnResultRightClick() {
  QMenu popup(this);
  if (ShowsResultMenu(services_.state, services_.sources, services_.results)) {
    popup.addActions(menu_->actions());
    popup.addSeparator();
  }
  popup.addActions(linkActions_);
  popup.addSeparator();
  popup.addActions(resultView_->RowActions());
  popup.exec(QCursor::pos());
}

void StartWindow::CheckLinks(const std::vector<int>& rows) {
  services_.links.Check(rows, [this](int row) {
    const SourceRule* source = SourceOfRow(services_.state, services_.sources, services_.results, row);
    return source ? source->check : LinkCheckRule{};
  });
}

void StartWindow::ShowRealAddressDialog() {
  const RealAddressMarkers* markers = RealAddressMarkersOf(services_.state, services_.sources, services_.results);
  if (!markers) return;
  RealAddressDialog dialog(services_.results, services_.shell, services_.hitPages, services_.realAddress, *markers,
                           this);
  dialog.Run();
}

}  // namespace panscout
