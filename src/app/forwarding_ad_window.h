#pragma once
// The start window as the announcement thread sees it: every call is carried
// over to the window's thread; once the window has gone, calls do nothing and
// questions are answered with Cancel.

#include <memory>

#include "app/ad_window.h"
#include "app/window_thread_calls.h"

namespace panscout {

// Asks through `window` and waits for the answer; Cancel when the question is
// dropped. Only for a thread other than the window's, which must keep running.
bool AskAndWait(AdWindow& window, const Text& text, const Text& title);

class ForwardingAdWindow : public AdWindow, private ShellOpener {
 public:
  // `target` is touched only on the window's thread, while it is there.
  ForwardingAdWindow(std::shared_ptr<WindowThreadCalls> calls, AdWindow& target)
      : calls_(std::move(calls)), target_(target) {}

  int TimerInterval(AdTimer timer) override;
  void SetTimerInterval(AdTimer timer, int milliseconds) override;
  int TickerTop() override;
  void SetTickerTop(int top) override;
  void SetTickerText(const Text& caption, const Text& link) override;
  Text TickerLink() override;
  void SetBannerPicture(const Bytes& picture) override;
  void LoadWebAd(const Text& address) override;
  void LoadPopup(const Text& address) override;
  void SetSettingsText(const Text& text) override;
  void AskOkCancel(const Text& text, const Text& title, std::function<void(bool ok)> answered) override;
  ShellOpener& Shell() override { return *this; }

 private:
  void OpenUrl(const std::string& utf8Url) override;

  std::shared_ptr<WindowThreadCalls> calls_;
  AdWindow& target_;
};

}  // namespace panscout
