#include "transport/DatagramDrain.h"

#include <corvane/CorvaneErrors.h>
#include <corvane/LastError.h>

#include <algorithm>
#include <cstring>
#include <system_error>

#include "platform/SocketApi.h"
#include "platform/SocketPoll.h"
#include "platform/ThreadLatency.h"
#include "transport/BlockingCall.h"

namespace corvane::detail {
namespace {

// Larger than any IPv4 datagram, so that the reader never truncates.
constexpr std::size_t kSlotSize = 65536;
// Datagrams read by one system call. The slots' memory is reserved but only
// the pages a datagram lands on are ever touched.
constexpr int kSlots = 64;
// System calls per wake-up before the reader looks at its stop event again.
constexpr int kRounds = 16;

std::size_t Cost(const DatagramDrain::Datagram& datagram) {
  return datagram.bytes.size() + DatagramDrain::kEntryOverhead;
}

bool ReaderMustEnd(DWORD code) {
  return code == error::kBadHandle || code == error::kNotSocket ||
         code == error::kInvalidArgument || code == error::kBadAddress;
}

}  // namespace

std::unique_ptr<DatagramDrain> DatagramDrain::Start(int fd, std::size_t queueByteLimit,
                                                    std::size_t senderLimit) {
  auto drain = std::make_unique<DatagramDrain>(Key{}, fd, queueByteLimit, senderLimit);
  if (!drain->m_wake.IsValid()) return nullptr;
  try {
    drain->m_thread = std::thread(&DatagramDrain::Run, drain.get());
  } catch (const std::system_error&) {
    return nullptr;
  }
  return drain;
}

DatagramDrain::DatagramDrain(Key, int fd, std::size_t queueByteLimit, std::size_t senderLimit)
    : m_fd(fd), m_queueByteLimit(queueByteLimit), m_senderLimit(senderLimit) {}

DatagramDrain::~DatagramDrain() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopping = true;
  }
  m_room.notify_all();
  m_wake.Signal();
  if (m_thread.joinable()) m_thread.join();
}

void DatagramDrain::Run() {
  // Waking late by a millisecond can cost hundreds of answers in a burst.
  platform::RequestShortTimeSlice();
  const auto scratch = std::make_unique_for_overwrite<BYTE[]>(kSlots * kSlotSize);
  std::vector<platform::DatagramSlot> slots(kSlots);
  for (int i = 0; i < kSlots; ++i) {
    slots[i].buffer = scratch.get() + static_cast<std::size_t>(i) * kSlotSize;
    slots[i].capacity = kSlotSize;
  }
  while (WaitForRoom()) {
    const auto forever = platform::MonotonicDeadline::Never();
    const auto waited = platform::WaitReadable(m_fd, forever, m_wake.Get());
    if (waited != platform::WaitResult::kReady) return;
    if (!DrainSocket(slots)) return;
  }
}

bool DatagramDrain::WaitForRoom() {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_room.wait(lock, [this] { return m_stopping || m_queuedBytes < m_queueByteLimit; });
  return !m_stopping;
}

int DatagramDrain::BatchSize() const {
  // A whole batch only while it fits in the queue's room even at the largest
  // datagram size; near the limit one at a time, so the limit holds.
  std::lock_guard<std::mutex> lock(m_mutex);
  const std::size_t room = m_queueByteLimit - std::min(m_queuedBytes, m_queueByteLimit);
  return room >= kSlots * (kSlotSize + kEntryOverhead) ? kSlots : 1;
}

bool DatagramDrain::DrainSocket(std::vector<platform::DatagramSlot>& slots) {
  std::vector<Datagram> batch;
  batch.reserve(slots.size());
  for (int round = 0; round < kRounds; ++round) {
    const int wanted = BatchSize();
    const int got = platform::ReceiveDatagrams(m_fd, slots.data(), wanted);
    if (got < 0) return !ReaderMustEnd(corvane::GetLastError());
    batch.clear();
    for (int i = 0; i < got; ++i) {
      const auto& slot = slots[static_cast<std::size_t>(i)];
      const auto* first = static_cast<const BYTE*>(slot.buffer);
      batch.push_back(Datagram{{first, first + std::min(slot.length, slot.capacity)},
                               slot.from.address, slot.from.port, slot.arrivalInterface});
    }
    // One lock and one wake-up per batch: the owner is not woken for every
    // datagram of a burst while the reader still has work.
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& datagram : batch) Queue(std::move(datagram));
    if (got > 0) m_arrived.notify_one();
    if (got < wanted || m_stopping || m_queuedBytes >= m_queueByteLimit) break;
  }
  return true;
}

void DatagramDrain::Queue(Datagram&& datagram) {
  std::size_t& queued = m_queuedBySender[datagram.address];
  if (queued >= m_senderLimit) {
    ++m_dropped;
    return;
  }
  ++queued;
  m_queuedBytes += Cost(datagram);
  m_queue.push_back(std::move(datagram));
}

int DatagramDrain::Receive(void* pBuffer, int nBufferLength, DWORD& dwAddress, WORD& wPort,
                           DWORD dwTimeout, DWORD* pInterface) {
  Datagram datagram;
  {
    const BlockingCall call(m_receiving);
    if (!call.Entered()) {
      corvane::SetLastError(error::kInProgress);
      return 0;
    }
    if (!TakeNext(datagram, dwTimeout)) {
      corvane::SetLastError(error::kTimedOut);
      return -1;
    }
  }
  dwAddress = datagram.address;
  wPort = datagram.port;
  if (pInterface != nullptr) *pInterface = datagram.arrivalInterface;
  const std::size_t capacity = nBufferLength > 0 ? static_cast<std::size_t>(nBufferLength) : 0;
  const std::size_t copied = std::min(capacity, datagram.bytes.size());
  if (copied > 0) std::memcpy(pBuffer, datagram.bytes.data(), copied);
  if (datagram.bytes.size() > capacity) {
    corvane::SetLastError(error::kMessageSize);
    return -1;
  }
  corvane::SetLastError(error::kNone);
  return static_cast<int>(copied);
}

bool DatagramDrain::TakeNext(Datagram& datagram, DWORD dwTimeout) {
  std::unique_lock<std::mutex> lock(m_mutex);
  const auto until = platform::MonotonicDeadline::AfterMs(dwTimeout).When();
  if (!m_arrived.wait_until(lock, until, [this] { return !m_queue.empty(); })) return false;
  datagram = std::move(m_queue.front());
  m_queue.pop_front();
  const auto sender = m_queuedBySender.find(datagram.address);
  if (--sender->second == 0) m_queuedBySender.erase(sender);
  const bool wasFull = m_queuedBytes >= m_queueByteLimit;
  m_queuedBytes -= Cost(datagram);
  if (wasFull && m_queuedBytes < m_queueByteLimit) m_room.notify_one();
  return true;
}

std::size_t DatagramDrain::QueuedBytes() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_queuedBytes;
}

std::size_t DatagramDrain::QueuedDatagrams() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_queue.size();
}

std::size_t DatagramDrain::DroppedDatagrams() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_dropped;
}

}  // namespace corvane::detail
