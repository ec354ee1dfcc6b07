#pragma once
// The advertisements on the real start window: the rotations bound to its
// timers and clicks, and the announcement thread, which reaches the widgets
// only through the window's own thread.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/ad_rotation.h"
#include "app/ad_window.h"
#include "app/announcement_feed.h"
#include "app/temp_directory.h"
#include "app/window_thread_calls.h"

class QAbstractButton;
class QLabel;
class QPlainTextEdit;
class QTimer;
class QWebEngineView;
class QWidget;

namespace panscout {

struct AdWidgets {
  QLabel* ticker;                 // 超级链接框1
  QAbstractButton* banner;        // 超级按钮1
  QWebEngineView* webAd;          // 超文本浏览框2
  QWebEngineView* popup;          // 超文本浏览框3
  QPlainTextEdit* settingsText;   // 编辑框1
  std::array<QTimer*, 5> timers;  // 时钟1 to 时钟5
  QWidget* window;                // owns the advertisements
  // How far a grown window has moved the ticker down from its place; the
  // rotation reads and writes tops as in the window's opening layout.
  std::function<int()> tickerShift = nullptr;
};

class Advertisements : public QObject, private AdWindow {
  Q_OBJECT
 public:
  // Without a temporary directory there is nowhere to keep the settings, and
  // the advertisements stay idle for the run.
  Advertisements(const AdWidgets& widgets, std::shared_ptr<AdCounters> counters, ShellOpener& shell,
                 std::optional<TempDirectory> temp);
  ~Advertisements() override;

  // The start window's creation handler, before the announcement thread.
  void ResetIndexes();

  // Starts the announcement feed from `url` (see AnnouncementUrl) on a thread
  // of its own that is never waited for.
  void StartAnnouncementFeed(const Text& url, bool popupAllowed, Download download);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int TimerInterval(AdTimer timer) override;
  void SetTimerInterval(AdTimer timer, int milliseconds) override;
  int TickerShift() const;
  int TickerTop() override;
  void SetTickerTop(int top) override;
  void SetTickerText(const Text& caption, const Text& link) override;
  Text TickerLink() override { return tickerLink_; }
  void SetBannerPicture(const Bytes& picture) override;
  void LoadWebAd(const Text& address) override;
  void LoadPopup(const Text& address) override;
  void SetSettingsText(const Text& text) override;
  void AskOkCancel(const Text& text, const Text& title, std::function<void(bool ok)> answered) override;
  ShellOpener& Shell() override { return shell_; }

  void BindTimer(AdTimer timer, void (AdRotation::*step)());

  AdWidgets widgets_;
  std::shared_ptr<AdCounters> counters_;
  ShellOpener& shell_;
  std::optional<TempDirectory> temp_;
  std::optional<AdRotation> rotation_;
  Text tickerLink_;
  std::vector<QPointer<QMessageBox>> questions_;
  std::shared_ptr<WindowThreadCalls> calls_;
};

// Binds the advertisements into the start window; the object belongs to
// `widgets.window`. `shell` must outlive the window.
Advertisements* InstallAdvertisements(const AdWidgets& widgets, std::shared_ptr<AdCounters> counters,
                                      ShellOpener& shell, std::optional<TempDirectory> temp);

}  // namespace panscout
