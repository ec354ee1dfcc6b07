#include "net/cookie_file.h"

#include <charconv>
#include <iterator>
#include <fstream>

#include "runtime/replace_file.h"

namespace panscout {
namespace {

const Text kHttpOnlyPrefix = "#HttpOnly_";
const char* const kHeader = "# Netscape HTTP Cookie File\n# Written by Panscout; edit at your own risk.\n\n";

Text Flag(bool on) { return on ? "TRUE" : "FALSE"; }

std::optional<CookieStore::Cookie> ParseLine(Text line) {
  CookieStore::Cookie cookie;
  if (line.starts_with(kHttpOnlyPrefix)) {
    cookie.httpOnly = true;
    line.erase(0, kHttpOnlyPrefix.size());
  }
  if (line.empty() || line.front() == '#') return std::nullopt;
  TextArray fields = SplitText(line, "\t");
  if (fields.size() != 7) return std::nullopt;
  cookie.domain = LowerCase(fields[0].starts_with(".") ? fields[0].substr(1) : fields[0]);
  cookie.hostOnly = fields[1] != "TRUE";
  cookie.path = fields[2];
  cookie.secure = fields[3] == "TRUE";
  std::time_t expires = 0;
  auto [end, error] = std::from_chars(fields[4].data(), fields[4].data() + fields[4].size(), expires);
  if (error != std::errc() || end != fields[4].data() + fields[4].size() || cookie.domain.empty() ||
      !cookie.path.starts_with("/")) {
    return std::nullopt;
  }
  cookie.expires = expires;
  cookie.name = fields[5];
  cookie.value = fields[6];
  return cookie;
}

// A field holding a tab or a line end would break its line; such a cookie is not kept.
bool Writable(const CookieStore::Cookie& cookie) {
  for (const Text* field : {&cookie.domain, &cookie.path, &cookie.name, &cookie.value}) {
    if (field->find_first_of("\t\r\n") != Text::npos) return false;
  }
  return true;
}

}  // namespace

void LoadCookies(CookieStore& store, const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (auto cookie = ParseLine(line)) store.Restore(std::move(*cookie));
  }
}

bool SaveCookies(const CookieStore& store, const std::filesystem::path& file) {
  Text text = kHeader;
  for (const CookieStore::Cookie& c : store.Persistent()) {
    if (!Writable(c)) continue;
    text += (c.httpOnly ? kHttpOnlyPrefix : Text()) + (c.hostOnly ? "" : ".") + c.domain + "\t" + Flag(!c.hostOnly) +
            "\t" + c.path + "\t" + Flag(c.secure) + "\t" + std::to_string(*c.expires) + "\t" + c.name + "\t" +
            c.value + "\n";
  }
  // An unchanged file is left as it is: rewriting it costs a disk flush each run.
  std::ifstream old(file, std::ios::binary);
  if (old && Text(std::istreambuf_iterator<char>(old), {}) == text) return true;
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  return !ReplaceFile(file, Bytes(std::move(text)), true);
}

}  // namespace panscout
