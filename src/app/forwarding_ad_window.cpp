#include "app/forwarding_ad_window.h"

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

bool ForwardingAdWindow::AskOkCancel(const Text& text, const Text& title) {
  bool ok = false;
  calls_->Run([&] { ok = target_.AskOkCancel(text, title); });
  return ok;
}

void ForwardingAdWindow::OpenUrl(const std::string& utf8Url) {
  calls_->Run([&] { target_.Shell().OpenUrl(utf8Url); });
}

}  // namespace panscout
