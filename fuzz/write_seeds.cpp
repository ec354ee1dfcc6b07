// Writes the seed corpora of the fuzzers from the fixture result pages.

#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/codepage.h"
#include "search/fixture_pages.h"

namespace fs = std::filesystem;
using namespace panscout::fixtures;

namespace {

void Write(const fs::path& dir, const std::string& name, const std::string& bytes) {
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const fs::path root = argv[1];
  const PageSpec full{23, 10, 1}, last{23, 3, 21}, odd{40, 10, 1, 1, 1};
  for (const PageSpec& spec : {full, last, odd}) {
    std::string tag = std::to_string(spec.hits) + "-" + std::to_string(spec.extraLinks);
    Write(root / "page_extraction", "tazhao-" + tag, std::string(1, 1) + TazhaoPage(spec));
    for (int source : {2, 3, 5}) Write(root / "page_extraction", "baidu" + std::to_string(source) + "-" + tag, std::string(1, source) + BaiduSitePage(source, spec));
    for (int source : {4, 7}) Write(root / "page_extraction", "google" + std::to_string(source) + "-" + tag, std::string(1, source) + GooglePage(source, spec));
    Write(root / "page_extraction", "iask-" + tag, std::string(1, 6) + IAskPage(spec));
    Write(root / "page_extraction", "torrent-" + tag, std::string(1, 0) + TorrentPage(spec));
  }
  Write(root / "page_extraction", "no-result", std::string(1, 2) + BaiduNoResultPage());
  Write(root / "page_text", "baidu", BaiduSitePage(2, full));
  Write(root / "page_text", "tazhao", TazhaoPage(full));
  Write(root / "text", "split", std::string("\x01\x02\x01") + "a,b,,c\xB0" + std::string(1, '\0') + ",");
  Write(root / "text", "gbk", std::string("\x00\xFF\x00", 3) + BaiduSitePage(3, last).substr(0, 300) + std::string(1, '\0') + "target");
  Write(root / "handoff_record", "response", std::string("Tarnbel_OK\0HTTP/1.1 200 OK\r\n\r\n\0\x03\0\0\0abc", 36));
  Write(root / "announcement", "feed",
        panscout::Gbk("qwe[弹窗]$弹窗广告=http://a/p.html$[更新]$版本更新=1|http://a/u<BR>$[图片总数]$计数=2$"
                      "[图1]$图片广告=http://a/1.png|http://a/l|1.png$[图2]$图片广告=http://a/2.png|http://a/m|../2.png$"
                      "[总数]$次数=1$[1]$广告=看这里|http://a/t$[网页]$网页广告=http://a/w.html$qwe"));
  return 0;
}
