#include "search/fixture_pages.h"

#include "runtime/codepage.h"

namespace panscout::fixtures {
namespace {

std::string K(int k) { return std::to_string(k); }

std::string WithThousands(int n) {
  std::string digits = std::to_string(n);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, ",");
  return digits;
}

// The 115 title suffix and the snapshot links exercise the page removals.
std::string BaiduHit(int source, int k, bool withSize) {
  std::string anchor, size;
  switch (source) {
    case 2:
      anchor = "<a href=\"http://u.115.com/file/" + K(k) + "\" target=\"_blank\">" + TitleCapture(2, k) + "</a>";
      size = "文件大小：" + SizeCapture(2, k) + " 提取码";
      break;
    case 3:
      anchor = "<a href=\"http://www.namipan.com/d/" + K(k) + "\" target=\"_blank\">" + TitleCapture(3, k) + "</a>";
      size = "文件大小：" + SizeCapture(3, k) + "举报";
      break;
    default:
      anchor = "<a href=\"http://www.rayfile.com/files/" + K(k) + "\" target=\"_blank\">" + TitleCapture(5, k) + "</a>";
      size = "大小 " + SizeCapture(5, k) + " 上传时间";
      break;
  }
  std::string hit = "<table class=\"result\"><tr><td><h3 class=\"t\">" + anchor + "</h3>\r\n";
  if (withSize) hit += "<font size=\"-1\">" + size + "</font>\r\n";
  hit += "<a href=\"http://cache.baidu.com/c?m=" + K(k) + "\" target=\"_blank\" class=\"m\">百度快照</a>";
  return hit + "</td></tr></table>\r\n";
}

std::string ExtraBaiduLink(int source) {
  switch (source) {
    case 2: return "<a href=\"http://u.115.com/extra\" target=\"_blank\">";
    case 3: return "<a href=\"http://www.namipan.com/extra\" target=\"_blank\">";
    default: return "<a href=\"http://www.rayfile.com/extra\" target=\"_blank\">";
  }
}

std::string GoogleHit(int source, int k, bool withSize) {
  if (source == 4) {
    std::string hit = "<li class=\"g\"><h3 class=\"r\"><a href=\"/url?sa=t&amp;u=http://www.xun6.com/file/" + K(k) +
                      "&amp;ei=x\">訊6 - " + TitleCapture(4, k) + "文件</a></h3>";
    if (withSize) hit += "<span class=\"st\">文件大小: " + SizeCapture(4, k) + ". 下載次數: 3</span>";
    return hit + "</li>\n";
  }
  return "<li class=\"g\"><h3 class=\"r\"><a href=\"http://hotfile.com/dl/" + K(k) +
         "\" target=_blank>hotfile</a></h3><span class=\"s\">" + TitleCapture(7, k) + "MB.</span></li>\n";
}

}  // namespace

std::string TitleCapture(int source, int k) {
  switch (source) {
    case 0: return "<em>资料</em>name-" + K(k) + ".torrent";
    case 1: return "<b>资料</b>name-" + K(k) + "\r\n.rar此资源暂无描述。";
    case 2: return "<em>资料</em>name-" + K(k) + ".rar - 115网络U盘-我的网盘|免费网络硬盘";
    case 3: return "<em>资料</EM>name-" + K(k) + ".rar 文件下载 纳米盘-免费网络硬盘";
    case 4: return "<em>资料</em>name-" + K(k) + ".rar下載";
    case 5: return "RayFile | <em>资料</em>name-" + K(k) + ".rar";
    case 6: return "<em><span style=\"color:#C03\">资料</span>name-" + K(k) + ".rar";
    default:
      return "[<em>资料name-" + K(k) + ".rar. 選擇下載方式: 下載型態: 免费, 高级会员. 下載速度: 限制,無限制的 最大同時下載數目: 1<b>... " +
             K(k);
  }
}

// Each marker the size removals take out shows up on some source.
std::string SizeCapture(int source, int k) {
  switch (source) {
    case 2: return HitSize(k) + " |";
    case 3: return "<em>" + HitSize(k);
    case 5: return "<\\em>" + HitSize(k);
    default: return HitSize(k);
  }
}

std::string SitePage(int source, const PageSpec& spec) {
  switch (source) {
    case 4:
    case 7: return GooglePage(source, spec);
    case 6: return IAskPage(spec);
    default: return BaiduSitePage(source, spec);
  }
}

std::string HitName(int source, int k) {
  switch (source) {
    case 2: return "资料name-" + K(k) + ".rar ";
    case 7: return "资料name-" + K(k) + ".rar " + K(k);
    case 0: return "资料name-" + K(k) + ".torrent";
    default: return "资料name-" + K(k) + ".rar";
  }
}

std::string HitSize(int k) { return K(k) + ".5 MB"; }

std::string HitAddress(int source, int k) {
  switch (source) {
    case 1: return "http://www.tazhao.com/file/" + K(k);
    case 2: return "http://u.115.com/file/" + K(k);
    case 3: return "http://www.namipan.com/d/" + K(k);
    case 4: return "http://www.xun6.com/file/" + K(k);
    case 5: return "http://www.rayfile.com/files/" + K(k);
    case 6: return "http://ishare.iask.sina.com.cn/f/" + K(k);
    case 7: return "http://hotfile.com/dl/" + K(k);
    default: return "http://www.btchina.net/torrent/" + K(k);
  }
}

std::string TazhaoPage(const PageSpec& spec) {
  std::string page = "<html><head><meta charset=\"utf-8\"></head><body>\r\n";
  for (int k = spec.first; k < spec.first + spec.hits; ++k) {
    page += "<div class=\"item\"><div class=\"introtext\">" + TitleCapture(1, k) + "</div>\r\n";
    if (k - spec.first < spec.hits - spec.missingSizes) page += "<div>大小：" + HitSize(k) + "时间：2011-05-01</div>\r\n";
    page += "<p>此资源暂无描述。</p><span><a href=\"" + HitAddress(1, k) + "\" target='_blank' onclick=\"go()\">下载</a></span></div>\r\n";
  }
  for (int e = 0; e < spec.extraLinks; ++e) {
    page += "<span><a href=\"http://www.tazhao.com/extra\" target='_blank' onclick=\"go()\">more</a></span>\r\n";
  }
  return page + "</body></html>";
}

std::string BaiduSitePage(int source, const PageSpec& spec) {
  std::string page = "<html><head><meta http-equiv=\"content-type\" content=\"text/html;charset=gb2312\"></head><body>";
  if (spec.total >= 0) page += "<div class=\"nums\">百度为您找到相关结果约" + WithThousands(spec.total) + "个</div>";
  page += "<div id=\"help\">咨询热线：400-800-8888</div>\r\n";
  for (int k = spec.first; k < spec.first + spec.hits; ++k) {
    page += BaiduHit(source, k, k - spec.first < spec.hits - spec.missingSizes);
  }
  // No "</a>" follows, so only the link pattern sees them.
  for (int e = 0; e < spec.extraLinks; ++e) page += ExtraBaiduLink(source);
  return Gbk(page + "</body></html>");
}

std::string GooglePage(int source, const PageSpec& spec) {
  std::string page = "<!DOCTYPE html><html><head><meta charset=\"UTF-8\"><title>Google</title></head><body>";
  if (spec.total >= 0) page += "<div id=\"resultStats\">获得约 " + WithThousands(spec.total) + " 条结果</div><ol>";
  for (int k = spec.first; k < spec.first + spec.hits; ++k) {
    page += GoogleHit(source, k, k - spec.first < spec.hits - spec.missingSizes);
  }
  return page + "</ol></body></html>";
}

std::string IAskPage(const PageSpec& spec) {
  std::string page = "<html><body><table><tr><td>";
  if (spec.total >= 0) page += "共找到相关资料<span class=\"c3\">" + K(spec.total) + "</span>项</td>";
  page += "</tr></table>\n";
  for (int k = spec.first; k < spec.first + spec.hits; ++k) {
    page += "<div class=\"t\"><a href=\"/f/" + K(k) + "\" target=\"_blank\" class=\"f16\">" + TitleCapture(6, k) + "</a> </div>";
    if (k - spec.first < spec.hits - spec.missingSizes) page += "<div>大小:" + SizeCapture(6, k) + "共享者: a</div>";
    page += "\n";
  }
  return Gbk(page + "</body></html>");
}

std::string TorrentPage(const PageSpec& spec) {
  std::string page = "<html><body>";
  if (spec.total >= 0) page += "<div class=\"nums\">找到相关结果约" + WithThousands(spec.total) + "个</div>";
  page += "<div>咨询热线：400</div>\n";
  for (int k = spec.first; k < spec.first + spec.hits; ++k) {
    page += "<h3><a href=\"" + HitAddress(0, k) + "\" target=\"_blank\">" + TitleCapture(0, k) + "</a></h3>\n";
  }
  for (int e = 0; e < spec.extraLinks; ++e) page += "<a href=\"http://www.btchina.net/extra\" target=\"_blank\">";
  return Gbk(page + "</body></html>");
}

std::string BaiduNoResultPage() {
  return Gbk("<html><body><div>抱歉，没有找到与“x”相关的网页。</div><p>找不到和您的查询相符的网页</p></body></html>");
}

}  // namespace panscout::fixtures
