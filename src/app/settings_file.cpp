#include "app/settings_file.h"

#include <optional>
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

}  // namespace

std::filesystem::path SettingsPath(const TempDirectory& temp) { return *temp.FileNamed(Gbk("配置.ini")); }

Text CutToWholeCharacters(const Text& text, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t n = static_cast<unsigned char>(text[end]) >= 0x80 ? 2 : 1;
    if (end + n > maxBytes) break;
    end += n;
  }
  return text.substr(0, std::min(end, text.size()));
}

Settings::Settings(const Text& text) {
  // Keys of a repeated section are never read: only its first is searched.
  std::unordered_map<Text, Text>* section = nullptr;
  for (const Text& raw : Lines(text)) {
    Text line = Trimmed(raw);
    if (std::optional<Text> name = SectionName(line)) {
      sectionNames_.push_back(*name);
      auto [entry, fresh] = values_.try_emplace(LowerCase(*name));
      section = fresh ? &entry->second : nullptr;
      continue;
    }
    if (!section) continue;
    int equals = FindText(line, "=", std::nullopt, false);
    if (equals == kNotFound) continue;
    section->try_emplace(LowerCase(Trimmed(LeftText(line, equals - 1))),
                         CutToWholeCharacters(WithoutQuotes(Trimmed(line.substr(equals))), kMaxSettingBytes));
  }
}

Text Settings::Read(const Text& section, const Text& key) const {
  if (section.empty() || key.empty()) return {};
  auto found = values_.find(LowerCase(section));
  if (found == values_.end()) return {};
  auto value = found->second.find(LowerCase(key));
  return value == found->second.end() ? Text() : value->second;
}

int Settings::ReadNumber(const Text& section, const Text& key) const { return ToInteger(Read(section, key)); }

}  // namespace panscout
