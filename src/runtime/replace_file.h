#pragma once
// A file replaced whole: a crash or a failed write leaves the old file or
// the new one, never a part of either.

#include <filesystem>
#include <optional>
#include <string>

#include "runtime/text.h"

namespace panscout {

// Replaces `file` by a new one holding `bytes`. An owner-only file is mode
// 0600 from the start; any other keeps the mode of the file it replaces, or
// gets the usual mode of a new file. Returns why it failed, or nullopt.
std::optional<std::string> ReplaceFile(const std::filesystem::path& file, const Bytes& bytes,
                                       bool ownerOnly = false);

}  // namespace panscout
