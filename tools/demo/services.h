#pragma once
// The demo services: one HTTP server each, since several share paths ("/s").

#include <httplib.h>

#include <array>
#include <string>

#include "demo_hosts.h"

namespace panscout::demo {

enum class Service { Tazhao, Baidu, Google, IAsk, Announce, Site115, Namipan, Xun6, RayFile, Hotfile, Torrent };

struct ServiceEntry {
  Service service;
  const char* name;
  std::string DemoHosts::*host;
};

// In port order for --port-base.
inline constexpr std::array<ServiceEntry, 11> kServices{{
    {Service::Tazhao, "tazhao", &DemoHosts::tazhao},
    {Service::Baidu, "baidu", &DemoHosts::baidu},
    {Service::Google, "google", &DemoHosts::google},
    {Service::IAsk, "iask", &DemoHosts::iask},
    {Service::Announce, "announce", &DemoHosts::announce},
    {Service::Site115, "115", &DemoHosts::site115},
    {Service::Namipan, "namipan", &DemoHosts::namipan},
    {Service::Xun6, "xun6", &DemoHosts::xun6},
    {Service::RayFile, "rayfile", &DemoHosts::rayfile},
    {Service::Hotfile, "hotfile", &DemoHosts::hotfile},
    {Service::Torrent, "torrent", &DemoHosts::torrent},
}};

// Registers the routes of the service; the pages link to every host given.
void MountService(Service service, httplib::Server& server, const DemoHosts& hosts);

}  // namespace panscout::demo
