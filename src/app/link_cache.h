#pragma once
// Verdicts on hit addresses already checked, kept between runs so that a
// recent one is not fetched again. A verdict holds for a time that depends on
// it (ok 24 h, locked 12 h, dead 6 h); an unknown one is never kept.

#include <cstddef>
#include <ctime>
#include <filesystem>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "search/link_check.h"

namespace panscout {

using WallClock = std::function<std::time_t()>;

constexpr std::size_t kMaxKeptLinks = 100000;

// How long a verdict holds; none for one that is not kept.
std::optional<int> KeptSeconds(LinkVerdict verdict);

// $XDG_CACHE_HOME/panscout/links.tsv, or under ~/.cache.
std::filesystem::path LinkCachePath();

// Safe to use from several threads at once.
class LinkCache {
 public:
  explicit LinkCache(WallClock clock = [] { return std::time(nullptr); }, std::size_t capacity = kMaxKeptLinks);

  // The verdict given within its time; none for an older one or none at all.
  std::optional<LinkState> Fresh(const Text& address) const;
  // Keeps the verdict as of now in place of an older one; beyond the
  // capacity the oldest goes.
  void Remember(const Text& address, const LinkState& state);

  // Takes the verdicts of a file this cache wrote. A file that is missing,
  // not of this layout or broken anywhere is ignored as a whole, and the
  // next Save replaces it.
  void Load(const std::filesystem::path& file);
  // Writes the fresh verdicts, oldest first, whole or not at all, for the
  // user alone (mode 0600). Returns why it failed, or nullopt.
  std::optional<std::string> Save(const std::filesystem::path& file) const;

 private:
  struct Entry {
    Text address;
    LinkState state;
    std::time_t checked;
  };
  void Put(const Text& address, const LinkState& state, std::time_t checked);
  void DropBeyondCapacity();
  bool IsFresh(const Entry& entry) const;

  WallClock clock_;
  std::size_t capacity_;
  mutable std::mutex mutex_;
  std::list<Entry> entries_;  // oldest first
  std::unordered_map<Text, std::list<Entry>::iterator> byAddress_;
};

}  // namespace panscout
