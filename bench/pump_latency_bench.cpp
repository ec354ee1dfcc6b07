// How late a 10 ms timer fires while a page fetch waits through the Qt event
// pump, against the same timer in a plain event loop. The pages come from a
// server on 127.0.0.1: a large one at full speed and a slow one in pieces.
//   panscout_pump_latency_bench [--rounds N]   (default 5)

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "net/cookie_store.h"
#include "net/page_fetch.h"
#include "net/qt_event_pump.h"
#include "support/test_http_server.h"

namespace panscout {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;
constexpr auto kTick = std::chrono::milliseconds(10);

struct Delays {
  std::vector<double> ms;  // how much later than 10 ms after being armed each tick came

  void Add(const Delays& more) { ms.insert(ms.end(), more.ms.begin(), more.ms.end()); }
  double Mean() const {
    double sum = 0;
    for (double d : ms) sum += d;
    return ms.empty() ? 0 : sum / static_cast<double>(ms.size());
  }
  // The delay that `share` of the ticks stay within.
  double Quantile(double share) const {
    if (ms.empty()) return 0;
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    return sorted[static_cast<std::size_t>(share * static_cast<double>(sorted.size() - 1))];
  }
};

// Runs `work` from the event loop while a 10 ms single-shot timer is re-armed
// each time it fires; `work` ends the measurement by returning.
Delays TimerDelaysDuring(const std::function<void()>& work) {
  Delays delays;
  QTimer ticker;
  ticker.setSingleShot(true);
  ticker.setTimerType(Qt::PreciseTimer);
  Clock::time_point armed;
  auto arm = [&] {
    armed = Clock::now();
    ticker.start(kTick);
  };
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    delays.ms.push_back(Milliseconds(Clock::now() - armed - kTick).count());
    arm();
  });
  QEventLoop loop;
  QTimer::singleShot(0, [&] {
    arm();
    work();
    ticker.stop();
    loop.quit();
  });
  loop.exec();
  return delays;
}

Delays IdleDelays(std::chrono::milliseconds duration) {
  return TimerDelaysDuring([duration] {
    QEventLoop idle;
    QTimer::singleShot(duration, &idle, &QEventLoop::quit);
    idle.exec();
  });
}

// Adds how long the fetch took to `seconds`.
Delays FetchDelays(TestHttpServer::Reply reply, std::size_t bodyBytes, double* seconds) {
  TestHttpServer server;
  server.Add(std::move(reply));
  QtEventPump pump;
  CookieStore cookies;
  return TimerDelaysDuring([&] {
    auto began = Clock::now();
    Bytes body = FetchPage(pump, cookies, server.Url("/page")).body;
    *seconds += std::chrono::duration<double>(Clock::now() - began).count();
    if (body.size() != bodyBytes) {
      std::fprintf(stderr, "the fetch gave %zu bytes, not %zu\n", body.size(), bodyBytes);
      std::exit(1);
    }
  });
}

TestHttpServer::Reply SlowReply(const std::string& body) {
  TestHttpServer::Reply reply;
  reply.Send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
             "\r\nConnection: close\r\n\r\n");
  reply.SendSlowly(body, 64 << 10, std::chrono::milliseconds(20));
  return reply;
}

void PrintRow(const char* what, const Delays& d, const Delays& idle, double seconds) {
  std::printf("%-34s %7.2f %6zu %7.3f %7.3f %7.3f %7.1f %7.1f %7.1f\n", what, seconds, d.ms.size(), d.Mean(),
              d.Quantile(0.99), d.Quantile(1), d.Mean() / idle.Mean(), d.Quantile(0.99) / idle.Quantile(0.99),
              d.Quantile(1) / idle.Quantile(1));
}

}  // namespace
}  // namespace panscout

int main(int argc, char** argv) {
  using namespace panscout;
  QCoreApplication app(argc, argv);
  int rounds = 5;
  if (argc == 3 && std::string(argv[1]) == "--rounds") rounds = std::atoi(argv[2]);
  if (rounds < 1 || (argc != 1 && argc != 3)) {
    std::fprintf(stderr, "usage: panscout_pump_latency_bench [--rounds N]\n");
    return 2;
  }

  const std::string large(48 << 20, 'x');  // under the 64 MiB body cap
  const std::string slow(4 << 20, 'y');    // 64 KiB every 20 ms: about 1.3 s
  const auto idleTime = std::chrono::milliseconds(1500);
  Delays idle, duringLarge, duringSlow;
  double largeSeconds = 0, slowSeconds = 0;
  // Interleaved, so that the load of the rest of the machine hits all alike.
  for (int round = 0; round < rounds; ++round) {
    idle.Add(IdleDelays(idleTime));
    duringLarge.Add(FetchDelays(TestHttpServer::Response(200, large), large.size(), &largeSeconds));
    duringSlow.Add(FetchDelays(SlowReply(slow), slow.size(), &slowSeconds));
  }

  std::printf("10 ms single-shot timer re-armed as it fires, %d rounds: delay past 10 ms (ms),\n"
              "and the ratios against the idle loop\n", rounds);
  std::printf("%-34s %7s %6s %7s %7s %7s %7s %7s %7s\n", "while", "s/round", "ticks", "mean", "p99",
              "worst", "mean x", "p99 x", "worst x");
  PrintRow("idle event loop", idle, idle, std::chrono::duration<double>(idleTime).count());
  PrintRow("fetch of 48 MiB at full speed", duringLarge, idle, largeSeconds / rounds);
  PrintRow("fetch of 4 MiB, 64 KiB per 20 ms", duringSlow, idle, slowSeconds / rounds);
  return 0;
}
