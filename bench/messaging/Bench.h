#pragma once
// The measurements of the messaging benchmark. Each returns a rate or a time
// for one run; all traffic stays on 127.0.0.1.
#include <vector>

namespace bench {

// The 17 bytes of a message with one DT_LONG element: id 1, count 1, code 7,
// value, padding.
std::vector<unsigned char> OneLongMessage();

// Mean round trip in microseconds over `count` sequential exchanges.
double RawPingPongMicros(int count);
// The same raw exchange, but each side waits for readability (epoll) before
// it reads, as any event-driven program does.
double RawEventPingPongMicros(int count);
double FrameworkPingMicros(int count);

// Messages per second, from the first write until the receiver has all.
double RawStreamRate(int count);
double FrameworkStreamRate(int count);
// Negative when ZeroMQ is not available.
double ZmqStreamRate(int count);

}  // namespace bench
