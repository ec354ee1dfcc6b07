#pragma once

#include <string>
#include <vector>

namespace panscout::testing {

struct ChildResult {
  int exitCode = -1;  // -1 when it did not exit normally
  std::string out, err;
};

// Runs a program to its end with both output streams captured.
ChildResult RunChild(const std::vector<std::string>& argv);

}  // namespace panscout::testing
