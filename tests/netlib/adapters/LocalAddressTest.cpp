#include <corvane/CCNetCardInfo.h>
#include <corvane/LastError.h>
#include <gtest/gtest.h>

#include <thread>

#include "FakeAdapterSource.h"

namespace {

using namespace corvane::testing;

CCNetCardInfo WithOwnAddress(const std::string& ip) {
  auto s = std::make_shared<AdapterScript>();
  s->list.records = {Card("eth0", {{ip, "255.255.255.0"}})};
  s->hostIp = ip;
  return CCNetCardInfo(std::make_unique<FakeAdapterSource>(s));
}

TEST(LocalAddress, CapacityBounds) {
  auto info = WithOwnAddress("192.168.100.200");  // 15 characters
  corvane::SetLastError(0);
  EXPECT_EQ(info.GetLocalAddress(nullptr, 32), 0);
  EXPECT_EQ(corvane::GetLastError(), corvane::kErrorInvalidParameter);
  const struct { DWORD capacity; int result; DWORD error; } cases[] = {
      {0, 0, corvane::kErrorInvalidParameter}, {10, 0, corvane::kErrorInsufficientBuffer},
      {15, 0, corvane::kErrorInsufficientBuffer}, {16, 1, 0}, {260, 1, 0}};
  for (const auto& c : cases) {
    wchar_t buffer[300];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    corvane::SetLastError(0);
    EXPECT_EQ(info.GetLocalAddress(buffer, c.capacity), c.result) << c.capacity;
    EXPECT_EQ(corvane::GetLastError(), c.error) << c.capacity;
    if (c.result) {
      EXPECT_EQ(std::wstring(buffer), L"192.168.100.200");
    }
    EXPECT_EQ(buffer[c.capacity], L'#') << "wrote past capacity " << c.capacity;
  }
}

TEST(LocalAddress, LastErrorBelongsToTheThread) {
  corvane::SetLastError(122);
  DWORD other = 1;
  std::thread([&] { other = corvane::GetLastError(); }).join();
  EXPECT_EQ(other, 0u);
  EXPECT_EQ(corvane::GetLastError(), 122u);
}

}  // namespace
