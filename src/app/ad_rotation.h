#pragma once
// The timed advertisement rotations of the start window: the text ticker, the
// picture banner with its local picture cache, and the web advertisement. They
// read the settings file at every step; their positions live in memory only.

#include <functional>

#include "app/ad_window.h"
#include "app/settings_file.h"
#include "app/temp_directory.h"
#include "runtime/text.h"

namespace panscout {

constexpr int kTickerRestTop = 424;
constexpr int kTickerTopEdge = 400;
constexpr int kTickerBottomEdge = 448;
constexpr int kTickerMoveMs = 10;
constexpr int kNextTextMs = 4000;
constexpr int kNextPictureMs = 4000;
constexpr int kWebReloadMs = 10000;

// One set per run, owned by the start-up code. The announcement feed sets the
// counts and fills the cache before it starts the timers whose steps read them.
struct AdCounters {
  int pictureCount = 0;
  int pictureIndex = 0;  // the picture shown or filled last
  int textCount = 0;
  int textIndex = 0;  // the text advertisement shown last
  TextArray pictureEntry;
  Text bannerLink;
  Settings settings;  // the settings file as this run's feed wrote it
};

// Body of a page, the empty buffer on any failure.
using Download = std::function<Bytes(const Text& url)>;

// Add 1; past the count, start again at 1.
void AdvancePictureIndex(AdCounters& counters);
void AdvanceTextIndex(AdCounters& counters);

// Downloads every picture of the settings file that is not in the directory
// yet; a failed download leaves an empty file, so it is not tried again.
void FillPictureCache(AdCounters& counters, const TempDirectory& temp, const Download& download);

class AdRotation {
 public:
  AdRotation(AdWindow& window, AdCounters& counters, TempDirectory temp)
      : window_(window), counters_(counters), temp_(std::move(temp)) {}

  void TickerStep();     // 时钟1
  void NextTextAd();     // 时钟2
  void NextPictureAd();  // 时钟4
  void ReloadWebAd();    // 时钟5
  void OnBannerClick();
  void OnTickerClick();

 private:
  AdWindow& window_;
  AdCounters& counters_;
  TempDirectory temp_;
};

}  // namespace panscout
