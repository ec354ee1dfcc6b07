#pragma once

#include "results/real_address.h"

namespace panscout {

// Downloads a hit page on a worker thread while the GUI thread keeps
// dispatching; a time-out counts as a failed download.
class BackgroundHitPageDownload : public HitPageDownload {
 public:
  explicit BackgroundHitPageDownload(int timeoutSeconds = 90) : timeoutSeconds_(timeoutSeconds) {}
  Bytes Download(const Text& url) override;

 private:
  int timeoutSeconds_;
};

}  // namespace panscout
