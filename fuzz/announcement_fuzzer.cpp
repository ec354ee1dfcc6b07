// A remote announcement of any bytes: turned into settings, read back
// through every key the program reads, with picture names from it checked to
// stay inside the private directory, and the picture cache filled from it
// (whatever count it states).

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/ad_rotation.h"
#include "app/announcement_feed.h"
#include "app/settings_file.h"
#include "app/temp_directory.h"
#include "runtime/codepage.h"

using namespace panscout;
namespace fs = std::filesystem;

namespace {

// The run's own directory, gone with the run.
struct RunDirectory {
  RunDirectory() : temp(fs::temp_directory_path() / ("panscout-fuzz-" + std::to_string(getpid()))) {
    if (!fs::create_directories(temp.path()) && !fs::is_directory(temp.path())) std::abort();
  }
  ~RunDirectory() {
    std::error_code ignored;
    fs::remove_all(temp.path(), ignored);
  }
  TempDirectory temp;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const RunDirectory run;
  const TempDirectory& temp = run.temp;

  Text feed = ToText(Bytes(std::string(reinterpret_cast<const char*>(data), size)));
  // Raw bytes as settings, and the settings text the feed makes.
  std::optional<Text> settingsText = SettingsTextFromFeed(feed);
  if (settingsText && settingsText->size() > kMaxSettingsTextBytes) std::abort();
  for (const Text& contents : {feed, settingsText.value_or(Text())}) {
    AdCounters counters;
    counters.settings = Settings(contents);
    for (const char* section : {"弹窗", "更新", "图片总数", "图1", "总数", "1", "网页"}) {
      for (const char* key : {"弹窗广告", "版本更新", "计数", "图片广告", "次数", "广告", "网页广告"}) {
        Text value = counters.settings.Read(Gbk(section), Gbk(key));
        if (value.size() > 10239) std::abort();
        counters.settings.ReadNumber(Gbk(section), Gbk(key));
        for (const Text& field : SplitText(value, Text("|"))) {
          auto file = temp.FileNamed(field);
          if (file && file->parent_path() != temp.path()) std::abort();
        }
      }
    }
    FillPictureCache(counters, temp, [](const Text&) { return Bytes(); });
  }
  return 0;
}
