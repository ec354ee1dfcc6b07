#include "app/settings_file.h"

#include <string_view>

#include "runtime/codepage.h"

namespace panscout {
namespace {

constexpr std::string_view kBlanks = " \t\v\f\x1a";

Text Trimmed(const Text& text) {
  std::size_t begin = text.find_first_not_of(kBlanks);
  if (begin == Text::npos) return {};
  return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

bool SameName(const Text& a, const Text& b) { return LowerCase(a) == LowerCase(b); }

// The name inside "[...]", up to the last "]" (which may not be a trail byte);
// nullopt for a line that is no section header.
std::optional<Text> SectionName(const Text& line) {
  if (line.empty() || line[0] != '[') return std::nullopt;
  int close = kNotFound;
  for (int at = FindText(line, "]", std::nullopt, false); at != kNotFound;
       at = FindText(line, "]", at + 1, false)) {
    close = at;
  }
  if (close == kNotFound) return std::nullopt;
  return Trimmed(MiddleText(line, 2, close - 2));
}

Text WithoutQuotes(const Text& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// At most kMaxSettingBytes bytes, without splitting a double-byte character.
Text CutToLimit(const Text& value) {
  std::size_t end = 0;
  while (end < value.size()) {
    std::size_t n = static_cast<unsigned char>(value[end]) >= 0x80 ? 2 : 1;
    if (end + n > static_cast<std::size_t>(kMaxSettingBytes)) break;
    end += n;
  }
  return value.substr(0, std::min(end, value.size()));
}

TextArray Lines(const Text& text) {
  TextArray lines;
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", begin);
    if (end == Text::npos) end = text.size();
    lines.push_back(text.substr(begin, end - begin));
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
    begin = end + 1;
  }
  return lines;
}

Text FindValue(const Text& settings, const Text& section, const Text& key) {
  bool inSection = false;
  for (const Text& raw : Lines(settings)) {
    Text line = Trimmed(raw);
    if (std::optional<Text> name = SectionName(line)) {
      // Only the first section of that name is searched.
      if (inSection) return {};
      inSection = SameName(*name, section);
      continue;
    }
    if (!inSection) continue;
    int equals = FindText(line, "=", std::nullopt, false);
    if (equals == kNotFound || !SameName(Trimmed(LeftText(line, equals - 1)), key)) continue;
    return CutToLimit(WithoutQuotes(Trimmed(line.substr(equals))));
  }
  return {};
}

}  // namespace

std::filesystem::path SettingsPath(const TempDirectory& temp) { return *temp.FileNamed(Gbk("配置.ini")); }

Text ReadSetting(const std::filesystem::path& path, const Text& section, const Text& key) {
  if (path.empty() || section.empty() || key.empty()) return {};
  return FindValue(ToText(ReadWholeFile(path)), section, key);
}

TextArray ReadSectionNames(const std::filesystem::path& path) {
  TextArray names;
  if (path.empty()) return names;
  for (const Text& line : Lines(ToText(ReadWholeFile(path)))) {
    if (std::optional<Text> name = SectionName(Trimmed(line))) names.push_back(*name);
  }
  return names;
}

int ReadSettingNumber(const std::filesystem::path& path, const Text& section, const Text& key) {
  return ToInteger(ReadSetting(path, section, key));
}

}  // namespace panscout
