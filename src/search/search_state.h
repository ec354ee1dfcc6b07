#pragma once
// Process-wide state of searching: mode, source and, per step kind, the
// running flag and page counter; plus the page state the passes share.

#include <array>

namespace panscout {

enum class StepKind { kEngine = 0, kSite = 1, kTorrent = 2 };

constexpr int kNetDiskMode = 1;
constexpr int kTorrentMode = 2;

struct StepRun {
  bool running = false;
  int pageCounter = 0;
};

struct SearchState {
  int searchMode = 0;
  int sourceNumber = 0;
  // The source a site search was started with; it keeps it when the user
  // picks another source meanwhile, so a site step never runs another kind.
  int siteSourceNumber = 0;
  std::array<StepRun, 3> steps{};

  int hitIndex = 0;
  int currentRow = -1;
  int pageHitCount = 0;
  int reportedTotal = 0;

  StepRun& Step(StepKind kind) { return steps[static_cast<int>(kind)]; }
  StepKind CurrentStepKind() const {
    if (searchMode == kTorrentMode) return StepKind::kTorrent;
    return sourceNumber == 1 ? StepKind::kEngine : StepKind::kSite;
  }
};

}  // namespace panscout
