#pragma once
// Process-wide state of searching: mode, source and, per step kind, the
// running flag and page counter; plus the page state the passes share.

#include <array>

namespace panscout {

enum class StepKind { kEngine = 0, kSite = 1, kTorrent = 2 };

constexpr int kNetDiskMode = 1;
constexpr int kTorrentMode = 2;
constexpr int kBuiltInSourceCount = 7;

struct StepRun {
  bool running = false;
  int pageCounter = 0;
  // The source the step was started with; it keeps it when the user picks
  // another meanwhile, so a step never runs a source of another kind.
  int source = -1;
};

struct SearchState {
  int searchMode = 0;
  int sourceNumber = 0;
  std::array<StepRun, 3> steps{};

  int hitIndex = 0;
  int currentRow = -1;
  int pageHitCount = 0;
  int reportedTotal = 0;

  StepRun& Step(StepKind kind) { return steps[static_cast<int>(kind)]; }
};

}  // namespace panscout
