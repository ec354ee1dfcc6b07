#pragma once
// The advertisement settings file "配置.ini": Windows profile syntax in GBK,
// rebuilt from the announcement feed at every run and read by the rotations.

#include <filesystem>

#include "app/temp_directory.h"
#include "runtime/text.h"

namespace panscout {

// Values longer than this are cut, as a profile read into a 10240-byte buffer.
constexpr int kMaxSettingBytes = 10239;

std::filesystem::path SettingsPath(const TempDirectory& temp);

// The value of `key` in `section` of the file at `path`, as the Windows profile
// reader gives it: names matched without regard to ASCII case, the first
// matching section and key win, blanks around names and values and one pair of
// surrounding quotes dropped. The empty text when anything is missing or empty.
Text ReadSetting(const std::filesystem::path& path, const Text& section, const Text& key);

// The names of every section of the file at `path`, in file order.
TextArray ReadSectionNames(const std::filesystem::path& path);

// ToInteger of the value; 0 when missing.
int ReadSettingNumber(const std::filesystem::path& path, const Text& section, const Text& key);

}  // namespace panscout
