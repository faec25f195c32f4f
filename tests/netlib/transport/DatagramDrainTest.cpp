#include <corvane/CCSock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "LoopbackPeers.h"
#include "transport/DatagramDrain.h"

namespace {

using corvane::detail::DatagramDrain;
using transport_test::DatagramEnd;
using transport_test::kLoopback;

TEST(DatagramDrain, FullQueueLeavesTheRestInTheKernelAndLosesNothing) {
  DatagramEnd receiver, sender;
  constexpr std::size_t kSize = 100;
  constexpr std::size_t kLimit = 4 * (kSize + DatagramDrain::kEntryOverhead);
  auto drain = DatagramDrain::Start(receiver.sock.GetNativeHandle(), kLimit);
  ASSERT_TRUE(drain);
  for (int i = 0; i < 20; ++i) {
    std::string payload(kSize, static_cast<char>('a' + i));
    ASSERT_EQ(sender.sock.SendTo(payload.data(), kSize, receiver.port, kLoopback), 100);
  }
  char buffer[kSize];
  DWORD address = 0;
  WORD port = 0;
  for (int i = 0; i < 20; ++i) {
    ASSERT_EQ(drain->Receive(buffer, kSize, address, port, 2000), 100) << "datagram " << i;
    EXPECT_EQ(buffer[0], static_cast<char>('a' + i));
    // The reader stops before the limit is passed by more than one datagram.
    EXPECT_LE(drain->QueuedBytes(), kLimit + kSize + DatagramDrain::kEntryOverhead);
  }
  EXPECT_EQ(address, 0x7F000001u);
  EXPECT_EQ(drain->QueuedDatagrams(), 0u);
}

// A peer flooding the port gets its share of the queue and no more: the rest
// of its datagrams are dropped, the others' still come through, in order,
// and once the owner has taken the flooder's datagrams it is heard again.
// (The owner may take some while the reader is still at work, so how many
// of the flood get through depends on the scheduling; that some are dropped
// does not.)
TEST(DatagramDrain, OneSenderCannotFillTheQueue) {
  DatagramEnd receiver, flooder, other(L"127.0.0.2");
  constexpr std::size_t kShare = 8;
  auto drain = DatagramDrain::Start(receiver.sock.GetNativeHandle(), DatagramDrain::kQueueByteLimit, kShare);
  ASSERT_TRUE(drain);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(flooder.sock.SendTo(&i, sizeof i, receiver.port, kLoopback), 4);
  ASSERT_EQ(other.sock.SendTo("late", 4, receiver.port, kLoopback), 4);
  std::vector<int> flood;
  int late = 0;
  int value = -1;
  DWORD address = 0;
  WORD port = 0;
  while (drain->Receive(&value, sizeof value, address, port, 1000) == 4) {
    if (address == 0x7F000002u) {
      ++late;
    } else {
      flood.push_back(value);
    }
  }
  EXPECT_EQ(late, 1);
  EXPECT_TRUE(std::is_sorted(flood.begin(), flood.end()));
  EXPECT_GT(drain->DroppedDatagrams(), 0u);
  EXPECT_EQ(flood.size() + drain->DroppedDatagrams(), 100u);
  ASSERT_EQ(flooder.sock.SendTo(&value, sizeof value, receiver.port, kLoopback), 4);
  EXPECT_EQ(drain->Receive(&value, sizeof value, address, port, 2000), 4);
}

// The receive buffer of a default desktop system (net.core.rmem_default and
// rmem_max 212992; the kernel doubles the value asked for).
constexpr int kDesktopBufferRequest = 212992 / 2;
constexpr int kBurst = 1000;
constexpr std::size_t kAnswerSize = 200;

TEST(DatagramDrain, KeepsTheWholeBurstWhereTheKernelBufferCannot) {
  DatagramEnd receiver;
  // Printers on addresses of their own, each with a few answers.
  std::vector<std::unique_ptr<DatagramEnd>> printers;
  for (int i = 0; i < 40; ++i)
    printers.push_back(std::make_unique<DatagramEnd>(L"127.0.1." + std::to_wstring(i + 1)));
  ASSERT_TRUE(receiver.sock.SetReceiveBufferSize(kDesktopBufferRequest));
  auto drain = DatagramDrain::Start(receiver.sock.GetNativeHandle());
  ASSERT_TRUE(drain);
  // A thousand numbered answers within about 100 ms, as many printers answer
  // over an Ethernet segment, while nobody receives.
  std::string payload(kAnswerSize, 'm');
  for (int i = 0; i < kBurst; ++i) {
    std::memcpy(payload.data(), &i, sizeof i);
    CCSock& sender = printers[static_cast<std::size_t>(i) % printers.size()]->sock;
    ASSERT_EQ(sender.SendTo(payload.data(), kAnswerSize, receiver.port, kLoopback), 200);
    if (i % 10 == 9) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  char buffer[kAnswerSize];
  DWORD address = 0;
  WORD port = 0;
  for (int i = 0; i < kBurst; ++i) {
    ASSERT_EQ(drain->Receive(buffer, sizeof buffer, address, port, 2000), 200) << "lost " << i;
    int sequence = -1;
    std::memcpy(&sequence, buffer, sizeof sequence);
    ASSERT_EQ(sequence, i);
  }
}

}  // namespace
