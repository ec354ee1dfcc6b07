// The script engine, like other Qt objects under test, needs an application
// object; the whole test run shares one, without widgets.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

namespace {

class CoreApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() == nullptr) {
      application_ = std::make_unique<QCoreApplication>(argc_, argv_);
    }
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[15] = "panscout_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QCoreApplication> application_;
};

[[maybe_unused]] testing::Environment* const kEnvironment =
    testing::AddGlobalTestEnvironment(new CoreApplicationEnvironment);

}  // namespace
