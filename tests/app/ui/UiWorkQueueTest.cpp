// The window's work queue: work posted from other threads runs on the
// window's thread, in order, batch after batch, without a flush.
#include "CUiThreadGate.h"
#include "CUiWorkQueue.h"
#include "UiTestSupport.h"

#include <thread>

using namespace std::chrono_literals;

TEST(UiWorkQueue, WorkFromOtherThreadsRunsInOrderBatchAfterBatch) {
  UiApp();
  QObject context;
  CUiThreadGate gate(context);
  CUiWorkQueue queue(gate);
  std::vector<int> done;
  for (int batch = 0; batch < 3; ++batch) {
    std::thread([&] {
      for (int i = 0; i < 2; ++i) queue.Post([&done, batch, i] { done.push_back(batch * 2 + i); });
    }).join();
    // Each batch runs by itself once the window's thread takes its events.
    ASSERT_TRUE(WaitFor([&] { return done.size() == static_cast<size_t>(batch * 2 + 2); }, 10s))
        << "batch " << batch;
  }
  EXPECT_EQ(done, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  gate.Close();
}
