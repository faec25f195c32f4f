#pragma once
// Sends random datagrams at a steady rate: every millisecond as many as the
// rate owes by then, in batches of one system call.
#include <cstdint>
#include <string>

#include "FloodOptions.h"

class Flooder {
 public:
  explicit Flooder(const FloodOptions& options) : m_options(options) {}
  // Runs the flood to its end; false (with error) when the socket fails.
  bool Run(std::string& error);
  std::uint64_t Sent() const { return m_sent; }
  std::uint64_t Refused() const { return m_refused; }

 private:
  FloodOptions m_options;
  std::uint64_t m_sent = 0;
  std::uint64_t m_refused = 0;  // the kernel's queue was full
};
