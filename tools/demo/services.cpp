#include "services.h"

#include <charconv>
#include <string_view>
#include <thread>

#include "announcement.h"
#include "banner_png.h"
#include "demo_codepage.h"
#include "result_pages.h"
#include "site_pages.h"

namespace panscout::demo {
namespace {

void Send(httplib::Response& res, const Page& page) { res.set_content(page.body, page.contentType); }

void NotFound(httplib::Response& res, std::string_view what) {
  res.status = 404;
  res.set_content("not found: " + std::string(what) + "\n", "text/plain; charset=utf-8");
}

// A hit's page as HitPageKindOf says: missing or busy outright, a slow one late.
void SendHitPage(httplib::Response& res, const std::string& path, const Page& page) {
  switch (HitPageKindOf(HitIndexIn(path))) {
    case HitPageKind::kMissing: return NotFound(res, path);
    case HitPageKind::kBusy:
      res.status = 503;
      return res.set_content("busy, try again later\n", "text/plain; charset=utf-8");
    case HitPageKind::kSlow: std::this_thread::sleep_for(kSlowHitPage); break;
    default: break;
  }
  Send(res, page);
}

int Number(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value > 0 ? value : 0;
}

// 0 when the host is none of the sites.
int SiteSource(const DemoHosts& hosts, std::string_view host, std::initializer_list<int> sources) {
  for (int source : sources) {
    if (host == SourceHost(hosts, source)) return source;
  }
  return 0;
}

void SendResults(httplib::Response& res, const DemoHosts& hosts, int source,
                 std::string_view keyword, int offset) {
  if (source == 0) return NotFound(res, "site");
  Send(res, ResultPage(hosts, source, ParseKeyword(keyword), offset));
}

void MountTazhao(httplib::Server& server, const DemoHosts& hosts) {
  server.Get("/s", [&hosts](const httplib::Request& req, httplib::Response& res) {
    SendResults(res, hosts, kTazhao, req.get_param_value("q"), Number(req.get_param_value("p")));
  });
}

// wd = "site:(H)" K for the sites; the torrent search names its site in si.
void MountBaidu(httplib::Server& server, const DemoHosts& hosts) {
  server.Get("/s", [&hosts](const httplib::Request& req, httplib::Response& res) {
    const std::string wd = req.get_param_value("wd");
    const int offset = Number(req.get_param_value("pn"));
    if (req.get_param_value("ct") == "2097152" || req.has_param("si")) {
      return SendResults(res, hosts, SiteSource(hosts, req.get_param_value("si"), {kTorrent}), wd, offset);
    }
    const std::string_view prefix = "site:(";
    const std::size_t close = wd.find(')');
    if (wd.rfind(prefix, 0) != 0 || close == std::string::npos) return NotFound(res, "site filter");
    const std::string_view host = std::string_view(wd).substr(prefix.size(), close - prefix.size());
    SendResults(res, hosts, SiteSource(hosts, host, {k115, kNamipan, kRayFile}), wd.substr(close + 1), offset);
  });
  server.Get("/c", [](const httplib::Request& req, httplib::Response& res) {
    Send(res, SnapshotPage(req.get_param_value("m")));
  });
}

// q = "\"K\" site:H" once decoded.
void MountGoogle(httplib::Server& server, const DemoHosts& hosts) {
  server.Get("/search", [&hosts](const httplib::Request& req, httplib::Response& res) {
    const std::string q = req.get_param_value("q");
    const std::string_view filter = "\" site:";
    const std::size_t at = q.rfind(filter);
    if (q.rfind('"', 0) != 0 || at == std::string::npos || at == 0) return NotFound(res, "site filter");
    const std::string_view host = std::string_view(q).substr(at + filter.size());
    SendResults(res, hosts, SiteSource(hosts, host, {kXun6, kHotfile}), q.substr(1, at - 1),
                Number(req.get_param_value("start")));
  });
}

void MountIAsk(httplib::Server& server, const DemoHosts& hosts) {
  server.Get("/search.php", [&hosts](const httplib::Request& req, httplib::Response& res) {
    const int page = Number(req.get_param_value("page"));
    SendResults(res, hosts, kIAsk, GbkToUtf8Bytes(req.get_param_value("key")),
                page > 100000000 ? 1000000000 : page * kPageSize);
  });
  server.Get("/f/.*", [](const httplib::Request& req, httplib::Response& res) {
    SendHitPage(res, req.path, SiteFilePage("爱问共享资料", req.path));
  });
}

void MountAnnounce(httplib::Server& server, const DemoHosts& hosts) {
  server.Get("/ad.txt", [&hosts](const httplib::Request&, httplib::Response& res) {
    res.set_content(AnnouncementText(hosts), "text/plain; charset=gbk");
  });
  server.Get(R"(/banner/(\d+)\.png)", [](const httplib::Request& req, httplib::Response& res) {
    const int k = Number(req.matches[1]);
    if (k < 1 || k > kBannerCount) return NotFound(res, req.path);
    res.set_content(BannerPng(k), "image/png");
  });
  server.Get(".*", [](const httplib::Request& req, httplib::Response& res) {
    const auto page = AnnouncementPage(req.path);
    page ? Send(res, *page) : NotFound(res, req.path);
  });
}

void MountDownloads(httplib::Server& server) {
  server.Get("/get/.*", [](const httplib::Request& req, httplib::Response& res) {
    res.set_header("Content-Disposition", "attachment; filename=\"panscout-demo.bin\"");
    res.set_content(DownloadBody(req.path), "application/octet-stream");
  });
}

void MountSite(httplib::Server& server, std::string_view siteName) {
  MountDownloads(server);
  server.Get(".*", [siteName](const httplib::Request& req, httplib::Response& res) {
    SendHitPage(res, req.path, SiteFilePage(siteName, req.path));
  });
}

void Mount115(httplib::Server& server, const DemoHosts& hosts) {
  server.Get("/file/(.+)", [&hosts](const httplib::Request& req, httplib::Response& res) {
    SendHitPage(res, req.path, Page115(hosts, req.matches[1].str()));
  });
  MountSite(server, "115网盘");
}

}  // namespace

void MountService(Service service, httplib::Server& server, const DemoHosts& hosts) {
  switch (service) {
    case Service::Tazhao: return MountTazhao(server, hosts);
    case Service::Baidu: return MountBaidu(server, hosts);
    case Service::Google: return MountGoogle(server, hosts);
    case Service::IAsk: return MountIAsk(server, hosts);
    case Service::Announce: return MountAnnounce(server, hosts);
    case Service::Site115: return Mount115(server, hosts);
    case Service::Namipan: return MountSite(server, "纳米盘");
    case Service::Xun6: return MountSite(server, "訊6");
    case Service::RayFile: return MountSite(server, "RayFile");
    case Service::Hotfile: return MountSite(server, "Hotfile");
    case Service::Torrent: return MountSite(server, "种子站");
  }
}

}  // namespace panscout::demo
