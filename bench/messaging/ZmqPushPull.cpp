// ZeroMQ PUSH/PULL with the same 17-byte payload, for reference.
#include <chrono>
#include <thread>

#include "Bench.h"

#ifdef LUMORA_HAVE_ZMQ
#include <zmq.h>

#include <cstring>
#include <string>
#endif

namespace bench {

#ifdef LUMORA_HAVE_ZMQ
double ZmqStreamRate(int count) {
  using Clock = std::chrono::steady_clock;
  void* context = zmq_ctx_new();
  void* pull = zmq_socket(context, ZMQ_PULL);
  zmq_bind(pull, "tcp://127.0.0.1:*");
  char endpoint[256] = {};
  size_t size = sizeof endpoint;
  zmq_getsockopt(pull, ZMQ_LAST_ENDPOINT, endpoint, &size);
  Clock::time_point done;
  std::thread reader([&] {
    unsigned char buf[64];
    for (int i = 0; i < count; ++i) zmq_recv(pull, buf, sizeof buf, 0);
    done = Clock::now();
  });
  void* push = zmq_socket(context, ZMQ_PUSH);
  zmq_connect(push, endpoint);
  std::vector<unsigned char> msg = OneLongMessage();
  auto start = Clock::now();
  for (int i = 0; i < count; ++i) zmq_send(push, msg.data(), msg.size(), 0);
  reader.join();
  int linger = 0;
  zmq_setsockopt(push, ZMQ_LINGER, &linger, sizeof linger);
  zmq_close(push);
  zmq_close(pull);
  zmq_ctx_term(context);
  return count / std::chrono::duration<double>(done - start).count();
}
#else
double ZmqStreamRate(int) { return -1; }
#endif

}  // namespace bench
