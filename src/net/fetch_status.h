#pragma once
// Why a request came back as it did. The search sees only the body (an empty
// one for every failure); front ends and tests read the reason here.

#include <string>

#include "runtime/text.h"

namespace panscout {

struct FetchStatus {
  enum Kind {
    kOk,
    kTimedOut,      // no answer within the time-out
    kUnresolved,    // the host name did not resolve
    kUnconnected,   // no connection could be made
    kTlsRefused,    // the server's certificate did not pass; `detail` says why
    kHttpError,     // the server answered with a status of 400 or above
    kCutShort,      // the connection broke before the answer was complete
    kStopped,       // given up on by the caller
    kFailed,        // anything else; `detail` says what
  };

  Kind kind = kOk;
  int httpCode = 0;  // the last response's status, when there was one
  int seconds = 0;   // kTimedOut: the time-out
  std::string detail;  // the host for kUnresolved and kUnconnected; a message otherwise

  bool ok() const { return kind == kOk; }
  // One line, as curl words it: "could not resolve host www.x.test",
  // "connection refused", "timed out after 90 s", "certificate verify
  // failed: ...", "HTTP 403", ...
  std::string Reason() const;
};

// A body with the status of the request that brought it.
struct Fetched {
  Bytes body;
  FetchStatus status;
};

}  // namespace panscout
