#include "app/link_cache.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string_view>

#include "app/temp_directory.h"

namespace panscout {
namespace {

const std::string kFirstLine = "# panscout link verdicts 1";
// Far beyond what the capacity can fill: anything larger is not ours.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{64} << 20;

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t tab; (tab = line.find('\t')) != std::string_view::npos; line.remove_prefix(tab + 1)) {
    fields.push_back(line.substr(0, tab));
  }
  fields.push_back(line);
  return fields;
}

bool Writable(std::string_view text) { return text.find_first_of("\t\r\n") == std::string_view::npos; }

}  // namespace

std::optional<int> KeptSeconds(LinkVerdict verdict) {
  switch (verdict) {
    case LinkVerdict::kOk: return 24 * 3600;
    case LinkVerdict::kLocked: return 12 * 3600;
    case LinkVerdict::kDead: return 6 * 3600;
    case LinkVerdict::kUnknown: break;
  }
  return std::nullopt;
}

std::filesystem::path LinkCachePath() {
  return XdgDirectory(std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"), ".cache") / "links.tsv";
}

LinkCache::LinkCache(WallClock clock, std::size_t capacity) : clock_(std::move(clock)), capacity_(capacity) {}

bool LinkCache::IsFresh(const Entry& entry) const {
  std::optional<int> kept = KeptSeconds(entry.state.verdict);
  std::time_t now = clock_();
  // A time ahead of the clock is not to be trusted for long.
  return kept && entry.checked <= now && now - entry.checked < *kept;
}

std::optional<LinkState> LinkCache::Fresh(const Text& address) const {
  std::lock_guard lock(mutex_);
  auto found = byAddress_.find(address);
  if (found == byAddress_.end() || !IsFresh(*found->second)) return std::nullopt;
  return found->second->state;
}

void LinkCache::Put(const Text& address, const LinkState& state, std::time_t checked) {
  if (auto old = byAddress_.find(address); old != byAddress_.end()) {
    entries_.erase(old->second);
    byAddress_.erase(old);
  }
  entries_.push_back({address, state, checked});
  byAddress_[address] = std::prev(entries_.end());
}

void LinkCache::DropBeyondCapacity() {
  while (entries_.size() > capacity_) {
    byAddress_.erase(entries_.front().address);
    entries_.pop_front();
  }
}

void LinkCache::Remember(const Text& address, const LinkState& state) {
  if (!KeptSeconds(state.verdict)) return;
  std::lock_guard lock(mutex_);
  Put(address, state, clock_());
  DropBeyondCapacity();
}

void LinkCache::Load(const std::filesystem::path& file) {
  std::error_code error;
  if (std::filesystem::file_size(file, error) > kMaxFileBytes || error) return;
  const std::string text = ReadWholeFile(file).data;
  std::vector<Entry> read;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string_view line(text.data() + start, end - start);
    if (start == 0) {
      if (line != kFirstLine) return;
      continue;
    }
    std::vector<std::string_view> fields = Fields(line);
    std::time_t checked = 0;
    std::optional<LinkVerdict> verdict = fields.size() == 4 ? VerdictNamed(fields[1]) : std::nullopt;
    auto [at, failed] = std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), checked);
    if (!verdict || failed != std::errc() || at != fields[0].data() + fields[0].size() || fields[2].empty()) return;
    read.push_back({Text(fields[2]), {*verdict, std::string(fields[3])}, checked});
  }
  if (start != text.size()) return;  // a last line without its end
  std::stable_sort(read.begin(), read.end(), [](const Entry& a, const Entry& b) { return a.checked < b.checked; });
  std::lock_guard lock(mutex_);
  for (const Entry& entry : read) Put(entry.address, entry.state, entry.checked);
  DropBeyondCapacity();
}

std::optional<std::string> LinkCache::Save(const std::filesystem::path& file) const {
  std::string text = kFirstLine + "\n";
  {
    std::lock_guard lock(mutex_);
    for (const Entry& entry : entries_) {
      if (!IsFresh(entry) || !Writable(entry.address) || !Writable(entry.state.reason)) continue;
      text += std::to_string(entry.checked) + "\t" + VerdictName(entry.state.verdict) + "\t" + entry.address + "\t" +
              entry.state.reason + "\n";
    }
  }
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (error) return error.message();
  return ReplaceFile(file, Bytes(std::move(text)), true);
}

}  // namespace panscout
