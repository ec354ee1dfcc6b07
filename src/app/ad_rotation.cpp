#include "app/ad_rotation.h"

#include <algorithm>

#include "app/settings_file.h"
#include "runtime/codepage.h"

namespace panscout {
namespace {

int NextIndex(int index, int count) { return index + 1 > count ? 1 : index + 1; }

struct PictureEntry {
  Text address, link;
  std::filesystem::path file;
};

// Reads the entry at the picture index into the counters. Nullopt when it lacks
// a field, or its file name could lead outside `temp`.
std::optional<PictureEntry> ReadPictureEntry(const TempDirectory& temp, AdCounters& counters) {
  counters.pictureEntry =
      SplitText(counters.settings.Read(Gbk("图") + ToText(counters.pictureIndex), Gbk("图片广告")), "|");
  const TextArray& fields = counters.pictureEntry;
  if (fields.size() < 3) return std::nullopt;
  std::optional<std::filesystem::path> file = temp.FileNamed(fields[2]);
  if (!file) return std::nullopt;
  return PictureEntry{fields[0], fields[1], *file};
}

int ReadPictureCount(const AdCounters& counters) {
  return counters.settings.ReadNumber(Gbk("图片总数"), Gbk("计数"));
}

// The indexes 1..count that have a picture section, in the order the rotation
// reaches them after `start`.
std::vector<int> PictureIndexesAfter(const Settings& settings, int count, int start) {
  const Text prefix = Gbk("图");
  std::vector<int> indexes;
  for (const Text& name : settings.SectionNames()) {
    if (name.rfind(prefix, 0) != 0) continue;
    Text digits = name.substr(prefix.size());
    int index = ToInteger(digits);
    if (index >= 1 && index <= count && ToText(index) == digits) indexes.push_back(index);
  }
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  std::rotate(indexes.begin(), std::upper_bound(indexes.begin(), indexes.end(), start <= count ? start : 0),
              indexes.end());
  return indexes;
}

}  // namespace

void AdvancePictureIndex(AdCounters& counters) {
  counters.pictureIndex = NextIndex(counters.pictureIndex, counters.pictureCount);
}

void AdvanceTextIndex(AdCounters& counters) {
  counters.textIndex = NextIndex(counters.textIndex, counters.textCount);
}

void FillPictureCache(AdCounters& counters, const TempDirectory& temp, const Download& download) {
  counters.pictureCount = ReadPictureCount(counters);
  if (counters.pictureCount <= 0) return;
  // One round of the rotation, but only over indexes that have an entry: the
  // count comes from the feed and may be far beyond them.
  const int start = counters.pictureIndex;
  for (int index : PictureIndexesAfter(counters.settings, counters.pictureCount, start)) {
    counters.pictureIndex = index;
    std::optional<PictureEntry> entry = ReadPictureEntry(temp, counters);
    // A name the file system refuses (too long, say) is passed over like a missing field.
    std::error_code error;
    if (!entry || std::filesystem::exists(entry->file, error) || error) continue;
    WriteFileAtomically(entry->file, download(entry->address));
  }
  counters.pictureIndex = start >= 1 && start <= counters.pictureCount ? start : counters.pictureCount;
}

void AdRotation::TickerStep() {
  int top = window_.TickerTop();
  if (top > kTickerTopEdge) {
    window_.SetTickerTop(top - 1);
    if (top - 1 == kTickerRestTop) {
      window_.SetTimerInterval(AdTimer::kTickerMove, 0);
      window_.SetTimerInterval(AdTimer::kNextText, kNextTextMs);
    }
  } else if (top == kTickerTopEdge) {
    window_.SetTickerTop(kTickerBottomEdge);
  }
}

void AdRotation::NextTextAd() {
  AdvanceTextIndex(counters_);
  TextArray fields =
      SplitText(counters_.settings.Read(ToText(counters_.textIndex), Gbk("广告")), "|");
  // An entry without a link is passed over; the next tick tries the next one.
  if (fields.size() < 2) return;
  window_.SetTickerText(fields[0], fields[1]);
  window_.SetTimerInterval(AdTimer::kTickerMove, kTickerMoveMs);
  window_.SetTimerInterval(AdTimer::kNextText, 0);
}

void AdRotation::NextPictureAd() {
  counters_.pictureCount = ReadPictureCount(counters_);
  if (counters_.pictureCount <= 0) return;
  AdvancePictureIndex(counters_);
  std::optional<PictureEntry> entry = ReadPictureEntry(temp_, counters_);
  if (!entry) return;
  window_.SetBannerPicture(ReadWholeFile(entry->file));
  counters_.bannerLink = entry->link;
}

void AdRotation::ReloadWebAd() {
  Text address = counters_.settings.Read(Gbk("网页"), Gbk("网页广告"));
  // Remote input: a local or script address must not reach the viewer.
  if (IsWebAddress(address)) window_.LoadWebAd(address);
}

void AdRotation::OnBannerClick() { OpenWithShell(window_.Shell(), counters_.bannerLink); }

void AdRotation::OnTickerClick() { OpenWithShell(window_.Shell(), window_.TickerLink()); }

}  // namespace panscout
