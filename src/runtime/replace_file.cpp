#include "runtime/replace_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace panscout {
namespace {

// What a file made with open(2) and mode 0666 would get.
mode_t ModeFor(const std::filesystem::path& file, bool ownerOnly) {
  if (ownerOnly) return 0600;
  struct stat old {};
  if (stat(file.c_str(), &old) == 0) return old.st_mode & 07777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, const std::string& data) {
  for (std::size_t done = 0; done < data.size();) {
    ssize_t wrote = write(fd, data.data() + done, data.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

}  // namespace

std::optional<std::string> ReplaceFile(const std::filesystem::path& file, const Bytes& bytes, bool ownerOnly) {
  // mkstemp makes the file for its owner alone; the rename shows it whole.
  std::string temporary = file.string() + ".XXXXXX";
  int fd = mkstemp(temporary.data());
  if (fd < 0) return file.string() + ": " + std::strerror(errno);
  bool written = fchmod(fd, ModeFor(file, ownerOnly)) == 0 && WriteAll(fd, bytes.data) && fsync(fd) == 0;
  int error = errno;
  written = close(fd) == 0 && written;
  if (written && std::rename(temporary.c_str(), file.c_str()) == 0) return std::nullopt;
  error = written ? errno : error;
  unlink(temporary.c_str());
  return file.string() + ": " + std::strerror(error);
}

}  // namespace panscout
