#pragma once
// What the advertisements need from the start window. The timer steps call it
// on the window's own thread; the announcement feed calls it from its thread
// through an implementation that carries every call over to the window's.

#include <functional>

#include "app/open_with_shell.h"
#include "runtime/text.h"

namespace panscout {

// The start window's timers 时钟1 to 时钟5.
enum class AdTimer { kTickerMove = 1, kNextText = 2, kUnused = 3, kNextPicture = 4, kWebReload = 5 };

class AdWindow {
 public:
  virtual ~AdWindow() = default;

  // 0 when the timer is stopped; setting 0 stops it.
  virtual int TimerInterval(AdTimer timer) = 0;
  virtual void SetTimerInterval(AdTimer timer, int milliseconds) = 0;

  // The ticker label 超级链接框1.
  virtual int TickerTop() = 0;
  virtual void SetTickerTop(int top) = 0;
  virtual void SetTickerText(const Text& caption, const Text& link) = 0;
  virtual Text TickerLink() = 0;

  // The banner 超级按钮1; an empty or unreadable picture leaves it blank.
  virtual void SetBannerPicture(const Bytes& picture) = 0;

  // The viewers 超文本浏览框2 (web advertisement) and 超文本浏览框3 (pop-up);
  // setting an address loads it, also when it is unchanged.
  virtual void LoadWebAd(const Text& address) = 0;
  virtual void LoadPopup(const Text& address) = 0;

  // The hidden edit box 编辑框1.
  virtual void SetSettingsText(const Text& text) = 0;

  // Shows an OK/Cancel message box and returns at once: the window and a
  // running search go on while it is open. `answered` runs later on the
  // window's thread, true for OK; a box that goes unanswered (its window
  // went) destroys it uncalled.
  virtual void AskOkCancel(const Text& text, const Text& title, std::function<void(bool ok)> answered) = 0;

  // Opens addresses on the window's thread; callers go through OpenWithShell.
  virtual ShellOpener& Shell() = 0;
};

}  // namespace panscout
