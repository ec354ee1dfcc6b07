#include "support/test_certificates.h"

#include <fstream>

#include "support/child_process.h"

namespace panscout::testing {

std::optional<TestCertificates> MakeTestCertificates(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  TestCertificates made{dir / "ca.pem", dir / "server.pem", dir / "server.key"};
  const std::string caKey = (dir / "ca.key").string(), request = (dir / "server.csr").string(),
                    extensions = (dir / "server.ext").string();
  std::ofstream(extensions) << "subjectAltName=DNS:localhost\nbasicConstraints=CA:FALSE\n";
  const std::string openssl = "/usr/bin/openssl";
  const std::vector<std::vector<std::string>> steps = {
      {openssl, "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
       caKey, "-out", made.ca.string(), "-days", "2", "-subj", "/CN=Panscout test CA"},
      {openssl, "req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
       made.serverKey.string(), "-out", request, "-subj", "/CN=localhost"},
      {openssl, "x509", "-req", "-in", request, "-CA", made.ca.string(), "-CAkey", caKey, "-set_serial", "1",
       "-days", "2", "-extfile", extensions, "-out", made.serverCert.string()},
  };
  for (const auto& step : steps) {
    if (RunChild(step).exitCode != 0) return std::nullopt;
  }
  return made;
}

}  // namespace panscout::testing
