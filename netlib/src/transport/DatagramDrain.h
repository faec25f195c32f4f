#pragma once
// Reader thread of a receiving datagram endpoint. It takes every datagram
// off the socket as soon as it arrives and queues it whole, with its sender,
// so that a burst larger than the kernel's receive buffer (a thousand
// printers answering one broadcast) is not dropped while the endpoint's owner
// is busy elsewhere. Receives are served from the queue with the same results
// and error codes as CCSock::ReceiveFrom.
#include <corvane/CorvaneTypes.h>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/SocketApi.h"
#include "platform/WakeEvent.h"

namespace corvane::detail {

class DatagramDrain {
 public:
  struct Datagram {
    std::vector<BYTE> bytes;
    DWORD address = 0;  // sender, first octet most significant
    WORD port = 0;
    DWORD arrivalInterface = 0;  // index of the interface it came in on, 0 unknown
  };

  // Memory the queue may hold: datagram bytes plus kEntryOverhead per entry.
  // While it is full the reader leaves datagrams in the kernel's buffer and
  // goes on once the owner has taken some. 16 MiB holds a thousand 16 KiB
  // datagrams, and a hundred thousand of the printers' short answers.
  // The reader keeps up as long as it gets a processor; where every core is
  // busy for longer than the kernel buffer lasts, a burst can still overflow.
  static constexpr std::size_t kQueueByteLimit = 16u << 20;
  static constexpr std::size_t kEntryOverhead = 64;
  // Datagrams of one sender address the queue holds at most; further ones
  // from that address are dropped until the owner has taken some, as a full
  // kernel buffer would drop them. Without this one peer flooding the port
  // fills the whole queue, and an owner that pauses after every datagram
  // (the discovery worker) then works through its backlog for hours after
  // the flood has ended. A printer sends a handful of answers per request.
  static constexpr std::size_t kSenderLimit = 64;

  // Starts reading the datagram socket fd (which stays the caller's). Returns
  // null when the wake-up event or the thread cannot be had.
  static std::unique_ptr<DatagramDrain> Start(int fd, std::size_t queueByteLimit = kQueueByteLimit,
                                              std::size_t senderLimit = kSenderLimit);
  // Stops the reader promptly and waits for it. Queued datagrams are dropped.
  ~DatagramDrain();

  struct Key {};  // lets only Start() construct
  DatagramDrain(Key, int fd, std::size_t queueByteLimit, std::size_t senderLimit);
  DatagramDrain(const DatagramDrain&) = delete;
  DatagramDrain& operator=(const DatagramDrain&) = delete;

  // Waits at most dwTimeout ms for a queued datagram (0: takes one only if
  // queued). Returns its size; -1 with 10060 when none came, -1 with 10040
  // when it was larger than the buffer (its first bytes are stored and it is
  // consumed); 0 with 10036 when another receive of this endpoint is waiting.
  // pInterface, when given, receives the datagram's arrival interface.
  int Receive(void* pBuffer, int nBufferLength, DWORD& dwAddress, WORD& wPort, DWORD dwTimeout,
              DWORD* pInterface = nullptr);

  std::size_t QueuedBytes() const;
  std::size_t QueuedDatagrams() const;
  // Datagrams dropped because their sender had kSenderLimit queued.
  std::size_t DroppedDatagrams() const;

 private:
  void Run();
  // Takes what the socket holds now; false when the reader must end.
  bool DrainSocket(std::vector<platform::DatagramSlot>& slots);
  int BatchSize() const;
  bool WaitForRoom();
  // Waits for the oldest queued datagram and takes it off the queue.
  bool TakeNext(Datagram& datagram, DWORD dwTimeout);
  // Queues one datagram unless its sender has its share queued (lock held).
  void Queue(Datagram&& datagram);

  const int m_fd;
  const std::size_t m_queueByteLimit;
  const std::size_t m_senderLimit;
  platform::WakeEvent m_wake;
  mutable std::mutex m_mutex;
  std::condition_variable m_arrived;  // a datagram was queued
  std::condition_variable m_room;     // the queue has room again, or stop
  std::deque<Datagram> m_queue;
  std::size_t m_queuedBytes = 0;
  std::unordered_map<DWORD, std::size_t> m_queuedBySender;  // senders with datagrams queued
  std::size_t m_dropped = 0;
  bool m_stopping = false;
  std::atomic<bool> m_receiving{false};
  std::thread m_thread;
};

}  // namespace corvane::detail
