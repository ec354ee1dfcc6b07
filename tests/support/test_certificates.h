#pragma once
// A certificate authority of the test's own, made with openssl when the test
// runs, and a server certificate it signed for "localhost" alone.

#include <filesystem>
#include <optional>

namespace panscout::testing {

struct TestCertificates {
  std::filesystem::path ca, serverCert, serverKey;  // PEM files
};

// In a fresh directory under `dir`; nullopt when openssl fails.
std::optional<TestCertificates> MakeTestCertificates(const std::filesystem::path& dir);

}  // namespace panscout::testing
