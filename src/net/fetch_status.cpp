#include "net/fetch_status.h"

namespace panscout {

std::string FetchStatus::Reason() const {
  switch (kind) {
    case kOk: return "ok";
    case kTimedOut: return "timed out after " + std::to_string(seconds) + " s";
    case kUnresolved: return "could not resolve host " + detail;
    case kUnconnected: return detail.empty() ? "connection refused" : "connection refused by " + detail;
    case kTlsRefused: return detail.empty() ? "certificate verify failed" : "certificate verify failed: " + detail;
    case kHttpError: return "HTTP " + std::to_string(httpCode);
    case kCutShort: return "connection cut short";
    case kStopped: return "stopped";
    case kFailed: break;
  }
  return detail.empty() ? "failed" : detail;
}

}  // namespace panscout
