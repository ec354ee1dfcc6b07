#include "app/gui/start_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCursor>
#include <QGroupBox>
#include <QHeaderView>
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

#include "app/gui/artwork.h"
#include "app/gui/busy_indicator.h"
#include "app/gui/qt_text.h"
#include "app/gui/real_address_dialog.h"
#include "app/gui/result_table_model.h"
#include "app/gui/visual_style.h"
#include "app/result_actions.h"
#include "search/search_controller.h"

namespace panscout {

namespace {

const char* const kProductTitle = "Panscout 网盘资源搜索";
const char* const kCreditLine =
    "Panscout 网盘资源搜索\n作者：Panscout 开发组\n\n感谢您的使用与支持，祝您找到想要的资源！";

// Boxes have no owner and block the whole program until closed.
QMessageBox::StandardButton TaskModalBox(QMessageBox::Icon icon, const QString& title,
                                         const QString& text, QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, text, buttons);
  box.setWindowModality(Qt::ApplicationModal);
  box.setWindowIcon(ProductIcon());
  if (auto* ok = box.button(QMessageBox::Ok)) ok->setText(Ui("确定"));
  if (auto* cancel = box.button(QMessageBox::Cancel)) cancel->setText(Ui("取消"));
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

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
  setFixedSize(554, 562);
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
}

StartWindow::~StartWindow() { services_.results.RemoveObserver(this); }

void StartWindow::OnStatusChanged() { status_->setText(ToQString(services_.results.Status())); }

void StartWindow::SetStatusReason(const QString& reason) { status_->setToolTip(reason); }

void StartWindow::BuildTopStrip() {
  auto* frame = Place(new QGroupBox(this), "分组框2", 0, 0, 544, 96);

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
    connect(action, &QAction::triggered, this,
            [this, mode] { ApplyModeLayout(services_.state, services_.results, mode); });
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

  automationViewer_ = Place(new QWebEngineView(this), "超文本浏览框1", 464, 72, 72, 16);
  automationViewer_->hide();
  Place(new QLineEdit(this), "编辑框2", 520, 72, 16, 16)->hide();
}

void StartWindow::BuildSourceColumn() {
  Place(new QGroupBox(this), "分组框1", 0, 96, 112, 328);

  auto* sources = Place(new QToolBar(this), "工具条2", 16, 110, 80, 312);
  sources->setOrientation(Qt::Vertical);
  sources->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  sources->setIconSize(QSize(22, 22));
  sources->setMovable(false);
  sources->setStyleSheet("QToolBar{spacing:0;padding:0;border:none;}");
  auto* group = new QActionGroup(sources);
  QIcon icon = SourceIcon();
  bool first = true;
  for (const SourceRule* source : services_.sources.Buttons()) {
    QAction* action = sources->addAction(icon, ToQString(source->caption));
    action->setCheckable(true);
    action->setChecked(first);
    first = false;
    action->setVisible(!source->hidden);
    group->addAction(action);
    // Six visible buttons share the 312-pixel column; more go into its overflow menu.
    sources->widgetForAction(action)->setFixedSize(78, 51);
    connect(action, &QAction::triggered, this,
            [this, number = source->number] { services_.state.sourceNumber = number; });
  }
}

void StartWindow::BuildSearchRow() {
  keyword_ = Place(new QLineEdit(Ui("关键字"), this), "搜索框", 120, 104, 176, 26);
  keyword_->installEventFilter(this);
  startButton_ = Place(new QPushButton(Ui("开始搜索"), this), "按钮1", 304, 104, 56, 24);
  connect(startButton_, &QPushButton::clicked, this, [this] {
    if (startStop_) startStop_();
  });
  auto* hint = Place(new QLabel(Ui("双击搜索出来的资源，打开下载"), this), "标签1", 368, 104, 176, 24);
  hint->setStyleSheet("color:#5f6b7a;");
}

void StartWindow::BuildResultArea() {
  list_ = Place(new QTreeView(this), "超级列表框1", 112, 136, 432, 288);
  auto* model = new ResultTableModel(services_.results, list_);
  list_->setModel(model);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAlternatingRowColors(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  list_->header()->setStretchLastSection(false);
  list_->header()->setSectionsMovable(false);
  list_->viewport()->installEventFilter(this);

  auto applyWidths = [this] {
    const auto& columns = services_.results.Columns();
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
      list_->header()->resizeSection(i, columns[i].width);
    }
  };
  applyWidths();
  connect(model, &ResultTableModel::columnsReplaced, this, applyWidths);
  // The list follows the view's selection; a cleared list has none.
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    services_.results.SetSelectedRow(-1);
  });
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    QModelIndexList rows = list_->selectionModel()->selectedRows();
    services_.results.SetSelectedRow(rows.isEmpty() ? -1 : rows.first().row());
  });
  connect(list_, &QWidget::customContextMenuRequested, this, &StartWindow::OnResultRightClick);

  menu_ = new QMenu(this);
  menu_->setObjectName("菜单");
  // Resolving from the menu does what the double-click on a 115 hit does.
  connect(menu_->addAction(Ui("解析真实地址")), &QAction::triggered, this,
          &StartWindow::ShowRealAddressDialog);

  busy_ = Place(new BusyIndicator(this), "图片框1", 264, 208, 96, 96);
  busy_->hide();
}

void StartWindow::BuildBottomStrip() {
  ticker_ = Place(new QLabel(Ui("广告招租中.."), this), "超级链接框1", 176, 424, 352, 24);
  ticker_->setCursor(Qt::PointingHandCursor);
  ticker_->setStyleSheet("QLabel{color:#1565c0;text-decoration:underline;}");

  auto* statusBar = Place(new QStatusBar(this), "状态条1", 0, 426, 168, 20);
  statusBar->setSizeGripEnabled(false);
  status_ = new QLabel(ToQString(services_.results.Status()));
  status_->setFixedWidth(200);
  statusBar->addWidget(status_);
  services_.results.AddObserver(this);

  settingsText_ = Place(new QPlainTextEdit(this), "编辑框1", 312, 432, 24, 16);
  settingsText_->hide();
  webAd_ = HiddenFromFocus(Place(new QWebEngineView(this), "超文本浏览框2", -8, 448, 664, 88));
  // Until an advertisement loads, the strip is the window's own background.
  webAd_->page()->setBackgroundColor(palette().color(QPalette::Window));
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
  // A search runs inside the button's click; it must end for the program to.
  for (StepRun& step : services_.state.steps) step.running = false;
  event->accept();
}

bool StartWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == keyword_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    keyword_->clear();
  } else if (watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick &&
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
  if (ShowsResultMenu(services_.state, services_.sources)) menu_->exec(QCursor::pos());
}

void StartWindow::ShowRealAddressDialog() {
  const RealAddressMarkers* markers = RealAddressMarkersOf(services_.state, services_.sources);
  if (!markers) return;
  RealAddressDialog dialog(services_.results, services_.shell, services_.hitPages, services_.realAddress, *markers,
                           this);
  dialog.Run();
}

}  // namespace panscout
