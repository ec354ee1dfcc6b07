#include "announcement.h"

#include <array>
#include <string_view>
#include <vector>

#include "demo_codepage.h"

namespace panscout::demo {
namespace {

constexpr std::array<std::string_view, kTextAdCount> kTextAds{
    "Panscout 演示：没有网络也能完整搜索",
    "双击 115 网盘结果可获取真实下载地址",
    "切换到种子搜索试试",
};

std::vector<std::string> Lines(const DemoHosts& hosts) {
  const std::string site = "http://" + hosts.announce;
  std::vector<std::string> lines{
      "[弹窗]", "弹窗广告=" + site + "/popup.html",
      "[更新]", "版本更新=1|" + site + "/update.html",
      "[图片总数]", "计数=" + std::to_string(kBannerCount),
  };
  for (int k = 1; k <= kBannerCount; ++k) {
    const std::string n = std::to_string(k);
    lines.push_back("[图" + n + "]");
    lines.push_back("图片广告=" + site + "/banner/" + n + ".png|" + site + "/promo/" + n +
                    ".html|" + BannerFileName(k));
  }
  lines.push_back("[总数]");
  lines.push_back("次数=" + std::to_string(kTextAdCount));
  for (int k = 1; k <= kTextAdCount; ++k) {
    const std::string n = std::to_string(k);
    lines.push_back("[" + n + "]");
    lines.push_back("广告=" + std::string(kTextAds[k - 1]) + "|" + site + "/news/" + n + ".html");
  }
  lines.push_back("[网页]");
  lines.push_back("网页广告=" + site + "/webad.html");
  return lines;
}

}  // namespace

std::string BannerFileName(int k) { return "panscout-demo-banner-" + std::to_string(k) + ".png"; }

std::string SettingsFileText(const DemoHosts& hosts) {
  std::string text;
  for (const std::string& line : Lines(hosts)) text += line + "\r\n";
  return text;
}

std::string AnnouncementText(const DemoHosts& hosts) {
  static constexpr std::array<std::string_view, 3> kBreaks{"<br>", "<BR>", "<Br>"};
  std::string payload;
  std::size_t n = 0;
  for (const std::string& line : Lines(hosts)) {
    payload += line;
    if (line.front() == '[') payload += kBreaks[n++ % kBreaks.size()];
    payload += "$";
  }
  return Utf8ToGbkBytes("qwe" + payload + "qwe");
}

}  // namespace panscout::demo
