#include "app/temp_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/codepage.h"

namespace panscout {
namespace {

const char* NonEmptyEnv(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}

bool IsPrivateDirectory(const std::filesystem::path& dir) {
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0) return false;
  return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0;
}

}  // namespace

std::optional<TempDirectory> TempDirectory::ForUser() {
  std::vector<std::filesystem::path> candidates;
  if (const char* runtime = NonEmptyEnv("XDG_RUNTIME_DIR")) {
    candidates.push_back(std::filesystem::path(runtime) / "panscout");
  }
  const char* tmp = NonEmptyEnv("TMPDIR");
  candidates.push_back(std::filesystem::path(tmp ? tmp : "/tmp") / ("panscout-" + std::to_string(geteuid())));
  for (const std::filesystem::path& dir : candidates) {
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) continue;
    // An existing entry may have been planted by someone else; use it only if it is ours alone.
    if (IsPrivateDirectory(dir)) return TempDirectory(dir);
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> TempDirectory::FileNamed(const Text& name) const {
  std::string native = GbkToUtf8(name);
  if (native.empty() || native == "." || native.find_first_of("/\\") != std::string::npos ||
      native.find("..") != std::string::npos) {
    return std::nullopt;
  }
  return dir_ / native;
}

std::filesystem::path XdgDirectory(const char* base, const char* home, const char* underHome) {
  const std::filesystem::path root = base && *base ? std::filesystem::path(base)
                                                   : std::filesystem::path(home ? home : "") / underHome;
  return root / "panscout";
}

Bytes ReadWholeFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  return Bytes(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

}  // namespace panscout
