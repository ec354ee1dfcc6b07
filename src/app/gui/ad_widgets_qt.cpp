#include "app/gui/ad_widgets_qt.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>
#include <system_error>
#include <thread>

#include "app/forwarding_ad_window.h"
#include "app/gui/qt_text.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

QUrl ToUrl(const Text& address) { return QUrl(QString::fromStdString(GbkToUtf8(address))); }

}  // namespace

Advertisements::Advertisements(const AdWidgets& widgets, std::shared_ptr<AdCounters> counters,
                               ShellOpener& shell, std::optional<TempDirectory> temp)
    : QObject(widgets.window),
      widgets_(widgets),
      counters_(std::move(counters)),
      shell_(shell),
      temp_(std::move(temp)),
      calls_(std::make_shared<WindowThreadCalls>(this)) {
  if (!temp_) return;
  rotation_.emplace(static_cast<AdWindow&>(*this), *counters_, *temp_);
  BindTimer(AdTimer::kTickerMove, &AdRotation::TickerStep);
  BindTimer(AdTimer::kNextText, &AdRotation::NextTextAd);
  BindTimer(AdTimer::kNextPicture, &AdRotation::NextPictureAd);
  BindTimer(AdTimer::kWebReload, &AdRotation::ReloadWebAd);
  connect(widgets_.banner, &QAbstractButton::clicked, this, [this] { rotation_->OnBannerClick(); });
  widgets_.ticker->installEventFilter(this);
}

Advertisements::~Advertisements() {
  calls_->Detach();
  for (const QPointer<QMessageBox>& open : questions_) delete open.data();
}

void Advertisements::BindTimer(AdTimer timer, void (AdRotation::*step)()) {
  connect(widgets_.timers[static_cast<int>(timer) - 1], &QTimer::timeout, this,
          [this, step] { ((*rotation_).*step)(); });
}

void Advertisements::ResetIndexes() {
  counters_->textIndex = 0;
  counters_->pictureIndex = 0;
}

void Advertisements::StartAnnouncementFeed(const Text& url, bool popupAllowed, Download download) {
  if (!temp_) return;
  FeedSetup setup{url, popupAllowed, std::move(download)};
  try {
    std::thread([calls = calls_, target = static_cast<AdWindow*>(this), counters = counters_, temp = *temp_,
                 setup = std::move(setup)] {
      // Outside input drives this thread: whatever fails ends the feed, never the program.
      try {
        ForwardingAdWindow window(calls, *target);
        RunAnnouncementFeed(window, *counters, temp, setup);
      } catch (...) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread, no announcements this run.
  }
}

bool Advertisements::eventFilter(QObject* watched, QEvent* event) {
  // The ticker is a hyperlink label: a click opens its link.
  if (watched == widgets_.ticker && event->type() == QEvent::MouseButtonRelease) rotation_->OnTickerClick();
  return QObject::eventFilter(watched, event);
}

int Advertisements::TimerInterval(AdTimer timer) {
  QTimer* qtimer = widgets_.timers[static_cast<int>(timer) - 1];
  return qtimer->isActive() ? qtimer->interval() : 0;
}

void Advertisements::SetTimerInterval(AdTimer timer, int milliseconds) {
  QTimer* qtimer = widgets_.timers[static_cast<int>(timer) - 1];
  if (milliseconds > 0) {
    qtimer->start(milliseconds);
  } else {
    qtimer->stop();
  }
}

int Advertisements::TickerShift() const { return widgets_.tickerShift ? widgets_.tickerShift() : 0; }

int Advertisements::TickerTop() { return widgets_.ticker->y() - TickerShift(); }

void Advertisements::SetTickerTop(int top) { widgets_.ticker->move(widgets_.ticker->x(), top + TickerShift()); }

void Advertisements::SetTickerText(const Text& caption, const Text& link) {
  widgets_.ticker->setText(ToQString(caption));
  tickerLink_ = link;
}

void Advertisements::SetBannerPicture(const Bytes& picture) {
  QPixmap pixmap;
  pixmap.loadFromData(reinterpret_cast<const uchar*>(picture.data.data()), static_cast<uint>(picture.size()));
  widgets_.banner->setIcon(pixmap.isNull() ? QIcon() : QIcon(pixmap));
  widgets_.banner->setIconSize(widgets_.banner->size());
}

void Advertisements::LoadWebAd(const Text& address) { widgets_.webAd->load(ToUrl(address)); }

void Advertisements::LoadPopup(const Text& address) { widgets_.popup->load(ToUrl(address)); }

void Advertisements::SetSettingsText(const Text& text) {
  widgets_.settingsText->setPlainText(ToQString(text));
}

void Advertisements::AskOkCancel(const Text& text, const Text& title, std::function<void(bool ok)> answered) {
  // Owned by no window, and modeless: a search waiting for a page must not
  // wait for the user too.
  auto* box = new QMessageBox(QMessageBox::NoIcon, ToQString(title), ToQString(text),
                              QMessageBox::Ok | QMessageBox::Cancel);
  box->setObjectName("更新提醒");
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  box->button(QMessageBox::Ok)->setText(Ui("确定"));
  box->button(QMessageBox::Cancel)->setText(Ui("取消"));
  connect(box, &QMessageBox::finished, box,
          [box, answered = std::move(answered)] { answered(box->clickedButton() == box->button(QMessageBox::Ok)); });
  std::erase_if(questions_, [](const QPointer<QMessageBox>& open) { return open.isNull(); });
  questions_.emplace_back(box);
  box->show();
}

Advertisements* InstallAdvertisements(const AdWidgets& widgets, std::shared_ptr<AdCounters> counters,
                                      ShellOpener& shell, std::optional<TempDirectory> temp) {
  return new Advertisements(widgets, std::move(counters), shell, std::move(temp));
}

}  // namespace panscout
