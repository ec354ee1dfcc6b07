#pragma once
// The announcement text "/ad.txt": "qwe", then the settings lines each ended
// by "$", then "qwe"; GBK. It names every kind of advertisement the program
// shows, all served by the announcement service itself.

#include <string>

#include "demo_hosts.h"

namespace panscout::demo {

constexpr int kBannerCount = 3;
constexpr int kTextAdCount = 3;

// The settings file the program makes of the announcement, in UTF-8 (the
// program writes it in GBK), each line ended by CR LF.
std::string SettingsFileText(const DemoHosts& hosts);

// The served text, GBK. Some lines carry "<br>" in varying case, which the
// program removes.
std::string AnnouncementText(const DemoHosts& hosts);

// The cache file name of banner k; a changed picture needs a new name.
std::string BannerFileName(int k);

}  // namespace panscout::demo
