#include "app/forwarding_ad_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ad_test_support.h"

namespace panscout {
namespace {

using testing::DispatchUntil;
using testing::FakeAdWindow;

class ForwardingAdWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<QObject> windowObject_ = std::make_unique<QObject>();
  std::shared_ptr<WindowThreadCalls> calls_ = std::make_shared<WindowThreadCalls>(windowObject_.get());
  FakeAdWindow fake_;
  ForwardingAdWindow forwarding_{calls_, fake_};
  std::atomic<bool> done_ = false;
};

TEST_F(ForwardingAdWindowTest, CallsFromAnotherThreadRunOnTheWindowThreadInOrder) {
  fake_.tickerTop = 412;
  int top = 0;
  bool answer = false;
  std::thread worker([&] {
    forwarding_.SetTimerInterval(AdTimer::kWebReload, kWebReloadMs);
    top = forwarding_.TickerTop();
    answer = AskAndWait(forwarding_, "text", "title");
    OpenWithShell(forwarding_.Shell(), "http://update/");
    done_ = true;
  });
  DispatchUntil(done_);
  worker.join();
  EXPECT_EQ(top, 412);
  EXPECT_TRUE(answer);
  EXPECT_EQ(fake_.TimerInterval(AdTimer::kWebReload), kWebReloadMs);
  EXPECT_EQ(fake_.shell.opened, std::vector<std::string>{"http://update/"});
  EXPECT_EQ(fake_.callingThreads, std::set{std::this_thread::get_id()});
  EXPECT_EQ(fake_.shell.openedOn, std::set{std::this_thread::get_id()});
}

TEST_F(ForwardingAdWindowTest, OnTheWindowThreadCallsRunAtOnce) {
  forwarding_.SetTickerTop(401);
  EXPECT_EQ(fake_.tickerTop, 401);
  EXPECT_EQ(forwarding_.TickerTop(), 401);
}

TEST_F(ForwardingAdWindowTest, OnceTheWindowHasGoneCallsAreDroppedAndQuestionsCancelled) {
  fake_.tickerTop = 412;
  bool answer = true;
  int top = -1;
  std::thread worker([&] {
    answer = AskAndWait(forwarding_, "text", "title");
    top = forwarding_.TickerTop();
    forwarding_.SetTickerTop(1);
  });
  // The question is posted (or not yet); either way it must not hang the worker.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  calls_->Detach();
  windowObject_.reset();
  worker.join();
  EXPECT_FALSE(answer);
  EXPECT_EQ(top, 0);
  EXPECT_EQ(fake_.tickerTop, 412);
  EXPECT_TRUE(fake_.questions.empty());
}

}  // namespace
}  // namespace panscout
