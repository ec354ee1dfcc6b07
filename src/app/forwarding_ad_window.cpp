#include "app/forwarding_ad_window.h"

#include <future>

namespace panscout {

int ForwardingAdWindow::TimerInterval(AdTimer timer) {
  int interval = 0;
  calls_->Run([&] { interval = target_.TimerInterval(timer); });
  return interval;
}

void ForwardingAdWindow::SetTimerInterval(AdTimer timer, int milliseconds) {
  calls_->Run([&] { target_.SetTimerInterval(timer, milliseconds); });
}

int ForwardingAdWindow::TickerTop() {
  int top = 0;
  calls_->Run([&] { top = target_.TickerTop(); });
  return top;
}

void ForwardingAdWindow::SetTickerTop(int top) {
  calls_->Run([&] { target_.SetTickerTop(top); });
}

void ForwardingAdWindow::SetTickerText(const Text& caption, const Text& link) {
  calls_->Run([&] { target_.SetTickerText(caption, link); });
}

Text ForwardingAdWindow::TickerLink() {
  Text link;
  calls_->Run([&] { link = target_.TickerLink(); });
  return link;
}

void ForwardingAdWindow::SetBannerPicture(const Bytes& picture) {
  calls_->Run([&] { target_.SetBannerPicture(picture); });
}

void ForwardingAdWindow::LoadWebAd(const Text& address) {
  calls_->Run([&] { target_.LoadWebAd(address); });
}

void ForwardingAdWindow::LoadPopup(const Text& address) {
  calls_->Run([&] { target_.LoadPopup(address); });
}

void ForwardingAdWindow::SetSettingsText(const Text& text) {
  calls_->Run([&] { target_.SetSettingsText(text); });
}

void ForwardingAdWindow::AskOkCancel(const Text& text, const Text& title,
                                     std::function<void(bool ok)> answered) {
  calls_->Run([&] { target_.AskOkCancel(text, title, std::move(answered)); });
}

bool AskAndWait(AdWindow& window, const Text& text, const Text& title) {
  auto promise = std::make_shared<std::promise<bool>>();
  std::future<bool> answer = promise->get_future();
  window.AskOkCancel(text, title, [promise](bool ok) { promise->set_value(ok); });
  promise.reset();  // only the question holds it now, so dropping the question breaks it
  try {
    return answer.get();
  } catch (const std::future_error&) {
    return false;
  }
}

void ForwardingAdWindow::OpenUrl(const std::string& utf8Url) {
  calls_->Run([&] { target_.Shell().OpenUrl(utf8Url); });
}

}  // namespace panscout
