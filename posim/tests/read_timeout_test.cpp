// A read's timeout on the simulator's own clock: a simulator in the test's
// process, on a clock that moves only when the test says, so that "waits
// for data" and "gives up when the time is up" are told apart on any machine.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "os/manual_clock.h"
#include "posim/control/control_commands.h"
#include "posim/control/control_streams.h"
#include "posim/devices/codes.h"
#include "posim/session/simulator.h"
#include "posim/tests/library_fixture.h"

namespace {

struct Read {
  std::atomic<std::int32_t> status = -1;
  std::string bytes;  // once the read is over
};

TEST(ReadTimeout, AReadWaitsForDataUntilTheSimulatorsClockSaysTheTimeIsUp) {
  posim_test::FolderOfItsOwn folder("posim_clock_");  // for its control channel
  os::ManualClock clock;
  posim::Simulator simulator(posim::ServeControlLine, clock);
  PosContext context{};
  ASSERT_EQ(simulator.Initialize(&context, "RIDOZOD", nullptr, nullptr, 0), 0);
  ResourcePair timeout = {"readTimeout", 3000};
  std::int32_t out = 0;
  ASSERT_EQ(simulator.Ioctl(&context, 0, posim::kReqSysSetValues, &timeout, 1, &out), 0);
  std::int32_t scanner = 0;
  ASSERT_EQ(simulator.Open(&context, "DEVNAME", "PosScanner", nullptr, 0, &scanner), 0);

  const auto read_on_a_thread = [&](Read& read) {
    return std::thread([&] {
      char buffer[80];
      std::int32_t size = 0;
      read.status = simulator.Read(&context, scanner, buffer, sizeof buffer, &size);
      if (read.status == 0) read.bytes.assign(buffer, static_cast<std::size_t>(size));
    });
  };

  // Data that comes while the read waits ends the wait, with no time passed.
  Read fed;
  std::thread reader = read_on_a_thread(fed);
  clock.AwaitWaits(1);
  EXPECT_EQ(posim::RunControlCommand(simulator, "scan 42"), "ok\n");
  reader.join();
  EXPECT_EQ(fed.status, 0);
  EXPECT_EQ(fed.bytes, "42");

  // Without data the read gives up when its timeout has passed, not before.
  Read starved;
  reader = read_on_a_thread(starved);
  clock.AwaitWaits(1);
  clock.Advance(std::chrono::milliseconds(2999));
  clock.AwaitWaits(2);  // it has seen the new time and waits on
  EXPECT_EQ(starved.status, -1) << "gave up before its time";
  clock.Advance(std::chrono::milliseconds(1));
  reader.join();
  EXPECT_EQ(starved.status, posim::kSysTimeout);

  EXPECT_EQ(simulator.Term(&context), 0);
}

}  // namespace
