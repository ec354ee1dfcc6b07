#pragma once
// The directory that holds the settings file and the cached banner pictures.
// It is private to the user: in a shared /tmp another user could plant a
// settings file for us or read ours. File names in it come from the remote
// feed, so nothing outside it can be named.

#include <filesystem>
#include <optional>
#include <string>

#include "runtime/replace_file.h"
#include "runtime/text.h"

namespace panscout {

class TempDirectory {
 public:
  explicit TempDirectory(std::filesystem::path dir) : dir_(std::move(dir)) {}

  // $XDG_RUNTIME_DIR/panscout, or else $TMPDIR (or /tmp)/panscout-<uid>: the
  // first that can be made with mode 0700 or exists as ours alone; nullopt
  // when neither does.
  static std::optional<TempDirectory> ForUser();

  const std::filesystem::path& path() const { return dir_; }

  // The file with the GBK name `name` in this directory; nullopt for a name
  // that is empty or could lead elsewhere (a separator, "..").
  std::optional<std::filesystem::path> FileNamed(const Text& name) const;

 private:
  std::filesystem::path dir_;
};

inline bool WriteFileAtomically(const std::filesystem::path& file, const Bytes& bytes) {
  return !ReplaceFile(file, bytes);
}

// Our directory under an XDG base: `base`/panscout when `base` is set and not
// empty, else `home`/`underHome`/panscout.
std::filesystem::path XdgDirectory(const char* base, const char* home, const char* underHome);

// The whole file; the empty buffer when it is missing or unreadable.
Bytes ReadWholeFile(const std::filesystem::path& file);

}  // namespace panscout
