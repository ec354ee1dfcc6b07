#pragma once
// Helpers for driving the window as a user would: answering the modal boxes
// it opens, closing its pop-up menu, and waiting while events run.

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/open_with_shell.h"

namespace panscout::testing {

// What a modal window said before the test answered it.
struct SeenBox {
  bool seen = false;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QList<QMessageBox::StandardButton> buttons;
  bool appModal = false;
  bool hadParent = false;
};

// Dispatches events until `done` holds; false when `timeout` passes first.
inline bool WaitDispatching(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  return QTest::qWaitFor(done, static_cast<int>(timeout.count()));
}

// A message box open beside the windows instead of blocking them, such as the update offer.
inline QMessageBox* OpenModelessBox() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (box && box->isVisible() && box->windowModality() == Qt::NonModal) return box;
  }
  return nullptr;
}

// Watches for the next modal window (or modeless message box); once it shows and is `ready`, records
// it, runs `inspect` on it (while it is open) and then presses `answer` (a
// message box) or closes it (any other dialog).
inline std::shared_ptr<SeenBox> AnswerNextModal(
    QMessageBox::StandardButton answer = QMessageBox::Ok,
    std::function<void(QWidget*)> inspect = nullptr,
    std::function<bool(QWidget*)> ready = nullptr) {
  auto seen = std::make_shared<SeenBox>();
  auto* poll = new QTimer(qApp);
  QObject::connect(poll, &QTimer::timeout, poll, [seen, poll, answer, inspect, ready] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) modal = OpenModelessBox();
    if (!modal || !modal->isVisible() || (ready && !ready(modal))) return;
    poll->stop();
    poll->deleteLater();
    seen->seen = true;
    seen->title = modal->windowTitle();
    seen->appModal = modal->windowModality() == Qt::ApplicationModal;
    seen->hadParent = modal->parentWidget() != nullptr;
    if (inspect) inspect(modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      seen->text = box->text();
      seen->icon = box->icon();
      for (QAbstractButton* b : box->buttons()) seen->buttons.push_back(box->standardButton(b));
      box->button(answer)->click();
    } else {
      modal->close();
    }
  });
  poll->start(10);
  return seen;
}

// Closes the next pop-up menu that shows within `within` and reports its
// item captions; empty when none showed.
inline std::shared_ptr<QStringList> CloseNextMenu(int within = 2000) {
  auto items = std::make_shared<QStringList>();
  auto* poll = new QTimer(qApp);
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  QObject::connect(poll, &QTimer::timeout, poll, [items, poll, clock, within] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu && clock->elapsed() > within) {
      poll->stop();
      poll->deleteLater();
    }
    if (!menu) return;
    poll->stop();
    poll->deleteLater();
    for (QAction* a : menu->actions()) items->push_back(a->text());
    menu->close();
  });
  poll->start(10);
  return items;
}

// Points $XDG_CONFIG_HOME at a fresh directory while it lives, so that the
// window keeps its history there and nowhere else.
class ScopedConfigHome {
 public:
  ScopedConfigHome() : old_(qgetenv("XDG_CONFIG_HOME")) { qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8()); }
  ~ScopedConfigHome() { qputenv("XDG_CONFIG_HOME", old_); }
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
  QByteArray old_;
};

// Records what would have gone to the desktop.
class RecordingShell : public ShellOpener {
 public:
  void OpenUrl(const std::string& utf8Url) override { opened.push_back(utf8Url); }
  std::vector<std::string> opened;
};

}  // namespace panscout::testing
