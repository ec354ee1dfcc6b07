#pragma once
// The advertisement settings file "配置.ini": Windows profile syntax in GBK,
// rebuilt from the announcement feed at every run and read by the rotations.

#include <filesystem>
#include <unordered_map>

#include "app/temp_directory.h"
#include "runtime/text.h"

namespace panscout {

// Values longer than this are cut, as a profile read into a 10240-byte buffer.
constexpr int kMaxSettingBytes = 10239;

std::filesystem::path SettingsPath(const TempDirectory& temp);

// The first `maxBytes` bytes of `text` or fewer, never half a double-byte character.
Text CutToWholeCharacters(const Text& text, std::size_t maxBytes);

// A settings text parsed once, read as the Windows profile reader reads the
// file: names matched without regard to ASCII case, the first matching
// section and key win, blanks around names and values and one pair of
// surrounding quotes dropped. The rotations read it every few seconds, so
// no read walks the text again.
class Settings {
 public:
  Settings() = default;
  explicit Settings(const Text& text);

  // The empty text when anything is missing or empty.
  Text Read(const Text& section, const Text& key) const;
  // ToInteger of the value; 0 when missing.
  int ReadNumber(const Text& section, const Text& key) const;
  // The names of every section, in text order.
  const TextArray& SectionNames() const { return sectionNames_; }

 private:
  // Lower-cased section name, then lower-cased key.
  std::unordered_map<Text, std::unordered_map<Text, Text>> values_;
  TextArray sectionNames_;
};

}  // namespace panscout
