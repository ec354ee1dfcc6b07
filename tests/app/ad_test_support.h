#pragma once
// A scratch directory and a window double for the advertisement tests. The
// window double keeps virtual time, so timer-driven behaviour is stepped
// instead of waited for.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/ad_rotation.h"
#include "app/ad_window.h"
#include "app/settings_file.h"
#include "app/temp_directory.h"
#include "runtime/codepage.h"

namespace panscout::testing {

class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "panscout-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp failed";
    root_ = pattern;
  }
  ~ScratchDir() { std::filesystem::remove_all(root_); }
  const std::filesystem::path& root() const { return root_; }

 private:
  std::filesystem::path root_;
};

// Settings from UTF-8 lines, converted to GBK and ended with CR LF.
inline Settings SettingsOf(const std::vector<std::string>& utf8Lines) {
  Text text;
  for (const std::string& line : utf8Lines) text += Gbk(line) + "\r\n";
  return Settings(text);
}

// What the feed leaves for the rotations.
inline void WriteSettings(AdCounters& counters, const std::vector<std::string>& utf8Lines) {
  counters.settings = SettingsOf(utf8Lines);
}

// Dispatches this thread's events, as the window's event loop would, until
// `done` or a generous time limit.
inline void DispatchUntil(const std::atomic<bool>& done) {
  auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done && std::chrono::steady_clock::now() < giveUp) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
}

// Records the addresses handed to the desktop and the threads that did it.
class ThreadNotingShell : public ShellOpener {
 public:
  void OpenUrl(const std::string& utf8Url) override {
    opened.push_back(utf8Url);
    openedOn.insert(std::this_thread::get_id());
  }
  std::vector<std::string> opened;
  std::set<std::thread::id> openedOn;
};

class FakeAdWindow : public AdWindow {
 public:
  struct TimerState {
    int interval = 0;
    long due = 0;
  };

  int TimerInterval(AdTimer timer) override {
    Touch();
    return timers[timer].interval;
  }
  void SetTimerInterval(AdTimer timer, int milliseconds) override {
    Touch();
    timers[timer] = {milliseconds, now + milliseconds};
    if (milliseconds > 0 && counters) startedWithTextCount[timer] = counters->textCount;
  }
  int TickerTop() override {
    Touch();
    return tickerTop;
  }
  void SetTickerTop(int top) override {
    Touch();
    tickerTop = top;
    tops.push_back(top);
  }
  void SetTickerText(const Text& caption, const Text& link) override {
    Touch();
    tickerCaption = caption;
    tickerLink = link;
    captions.emplace_back(now, caption);
  }
  Text TickerLink() override {
    Touch();
    return tickerLink;
  }
  void SetBannerPicture(const Bytes& picture) override {
    Touch();
    banner.push_back(picture);
  }
  void LoadWebAd(const Text& address) override {
    Touch();
    webAdLoads.push_back(address);
  }
  void LoadPopup(const Text& address) override {
    Touch();
    popupLoads.push_back(address);
  }
  void SetSettingsText(const Text& text) override {
    Touch();
    settingsText = text;
  }
  void AskOkCancel(const Text& text, const Text& title, std::function<void(bool ok)> answered) override {
    Touch();
    questions.emplace_back(text, title);
    answered(answer);
  }
  ShellOpener& Shell() override { return shell; }

  bool Running(AdTimer timer) { return timers[timer].interval > 0; }

  // Moves virtual time on in 10 ms ticks, firing each running timer when due
  // (as a restarted timer counts afresh).
  void Advance(long milliseconds, AdRotation& rotation) {
    for (long end = now + milliseconds; now < end;) {
      now += 10;
      for (auto& [timer, state] : timers) {
        if (state.interval <= 0 || now < state.due) continue;
        state.due = now + state.interval;
        Fire(timer, rotation);
      }
    }
  }

  std::map<AdTimer, TimerState> timers;
  const AdCounters* counters = nullptr;  // when set, the text count seen as each timer starts
  std::map<AdTimer, int> startedWithTextCount;
  long now = 0;
  int tickerTop = kTickerRestTop;
  std::vector<int> tops;
  Text tickerCaption, tickerLink;
  std::vector<std::pair<long, Text>> captions;
  std::vector<Bytes> banner;
  std::vector<Text> webAdLoads, popupLoads;
  Text settingsText;
  std::vector<std::pair<Text, Text>> questions;
  bool answer = true;
  ThreadNotingShell shell;
  std::set<std::thread::id> callingThreads;

 private:
  void Touch() { callingThreads.insert(std::this_thread::get_id()); }

  static void Fire(AdTimer timer, AdRotation& rotation) {
    switch (timer) {
      case AdTimer::kTickerMove:
        rotation.TickerStep();
        break;
      case AdTimer::kNextText:
        rotation.NextTextAd();
        break;
      case AdTimer::kNextPicture:
        rotation.NextPictureAd();
        break;
      case AdTimer::kWebReload:
        rotation.ReloadWebAd();
        break;
      case AdTimer::kUnused:
        break;
    }
  }
};

}  // namespace panscout::testing
