#pragma once
// Test suites that run the window against the demo services: one demo
// process per suite.

#include <gtest/gtest.h>

#include "tools/demo_process.h"

namespace panscout::testing {

class DemoServicesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    demo_ = new demo::testing::DemoProcess;
    ASSERT_TRUE(demo_->Start());
  }
  static void TearDownTestSuite() {
    demo_->Stop();
    delete demo_;
    demo_ = nullptr;
  }

  static inline demo::testing::DemoProcess* demo_ = nullptr;
};

}  // namespace panscout::testing
