// The printer functions over TCP against the simulator's status exchange,
// served in this process on 127.0.0.1, with queues in a CUPS scheduler of
// the test's own.
#include <corvane/CZqSyncSocketCom.h>
#include <corvane/EthPrinterFunctions.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>
#include <memory>

#include "ChildRun.h"
#include "FunctionCalls.h"
#include "PrinterSetup.h"
#include "StatusTcpServer.h"
#include "TraceRecorder.h"
#include "platform/PrinterMutex.h"

namespace {

using namespace std::chrono_literals;
using corvane::detail::PrinterMutex;
using printersim::StatusTcpServer;

const std::wstring kPrinter = L"Tcp-Front";

class PrinterLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(setup.Ready()) << setup.Cups().Log();
    Serve();
  }
  // (Re)starts the printer with the current settings.
  void Serve() {
    server.reset();
    std::string error;
    server = StatusTcpServer::Start(printersim::Ipv4Address(0x7F000001), 0, settings, 0, monitor,
                                    error);
    ASSERT_TRUE(server) << error;
    ASSERT_TRUE(setup.AddPrinter("Tcp-Front", Uri(), 1));
  }
  std::string Uri() const { return "socket://127.0.0.1:" + std::to_string(server->port()); }
  std::string LockFile() const {
    return PrinterMutex::Directory() + "/" +
           PrinterMutex::FileName(L"127.0.0.1;" + std::to_wstring(server->port()));
  }

  PrinterSetup setup;
  printersim::StatusSettings settings;
  printersim::ExchangeMonitor monitor;
  std::unique_ptr<StatusTcpServer> server;
};

TEST_F(PrinterLinkTest, EveryFunctionOverTcp) {
  for (const auto& call : printer_test::Calls())
    EXPECT_EQ(call.run(kPrinter), call.byDefault) << call.function;
}

TEST_F(PrinterLinkTest, TracesEveryStepOfAnExchange) {
  TraceRecorder traces;
  BYTE gsi = 0;
  DWORD dwLength = 0, dwError = 0;
  ASSERT_EQ(GetGSIEth(kPrinter, &gsi, &dwLength, &dwError), 0u);
  const std::wstring port = std::to_wstring(server->port());
  std::vector<std::wstring> lines = traces.Lines();
  ASSERT_EQ(lines.size(), 14u);
  lines[6] = lines[6].substr(0, lines[6].find(L"0x"));  // the lock's handle number varies
  EXPECT_EQ(lines, (std::vector<std::wstring>{
      L"GetGSIEth(...): Starting to get GSI\n",
      L"SetSocketConnectionType(...): Using TCP/IP connection protocol\n",
      L"SetIPAddress(...): Try to get IPAddress and PortNumber from port socket://127.0.0.1:" +
          port + L"\n",
      L"SetIPAddress(...): IP Address found: 127.0.0.1\n",
      L"SetIPAddress(...): Port Number found: " + port + L"\n",
      L"RetrySyncSendReceiveCom(...): Try to establish connection...\n",
      L"CreateSyncrMutex(...): Synctronization obj created... handle: ",
      L"SendReceiveCom(...): Try to initialize communication using TCP/IP protocol... \n",
      L"SendReceiveCom(...): Initialization OK!\n",
      L"SendReceiveCom(...): Try to send data... \n",
      L"SendReceiveCom(...): Send data OK!\n",
      L"SendReceiveCom(...): Try to receive data... \n",
      L"SendReceiveCom(...): Receive data OK!\n SendReceiveCom(...): Received 15 bytes",
      L"SendReceiveCom(...): Communication closed\n"}));
  EXPECT_EQ(gsi, 0x12);
  EXPECT_EQ(dwLength, 1u);
}

TEST_F(PrinterLinkTest, ProtocolValueMustBe0Or1) {
  TraceRecorder traces;
  setup.AddPrinter("Two", Uri(), 2);
  ASSERT_TRUE(setup.AddPrinter("Keyless", Uri(), -1));
  DWORD dwCount = 0, dwError = 0;
  EXPECT_EQ(GetTotNumOfPowerOnEth(L"Two", &dwCount, &dwError), 4u);
  EXPECT_EQ(traces.Count(L"SetSocketConnectionType(...): ERROR!! Invalid Connection protocol in "
                         L"key SOFTWARE\\ZQ\\Tolvan\\Two\\EthPrt\n"),
            1u);
  EXPECT_TRUE(traces.Reports().empty());
  // A missing key is reported; so is a queue unknown to the spooler, whose
  // protocol is looked up first.
  EXPECT_EQ(GetTotNumOfPowerOnEth(L"Keyless", &dwCount, &dwError), 4u);
  EXPECT_EQ(GetTotNumOfPowerOnEth(L"Nobody", &dwCount, &dwError), 4u);
  EXPECT_EQ(traces.Reports().size(), 2u);
  // Without a protocol key of its own the data function fails like its sisters.
  BYTE answer[4];
  DWORD dwLength = 0;
  EXPECT_EQ(SendReceiveDataEth(L"Keyless", answer, 1, answer, 4, &dwLength, &dwError), 4u);
}

TEST_F(PrinterLinkTest, AddressAndPortFromThePortKeyOrTheDeviceUri) {
  const struct {
    std::string queue, uri, portValues;
    DWORD result;
    std::wstring address;
    DWORD port;
  } cases[] = {
      {"U1", "socket://127.0.0.1:9101", "", 0, L"127.0.0.1", 9101},
      {"U2", "socket://localhost", "", 0, L"127.0.0.1", 9100},
      {"U3", "lpd://127.0.0.1/queue", "", 0, L"127.0.0.1", 515},
      {"U4", "ipps://127.0.0.1/printers/x", "", 0, L"127.0.0.1", 631},
      {"U5", "usb://Maker/Model", "", 2, L"", 0},
      {"R1", "socket://10.0.0.1", "\"IPAddress\"=\"\"\n\"HostName\"=\"10.0.0.7\"\n"
       "\"PortNumber\"=dword:0000238c\n", 0, L"10.0.0.7", 9100},
      {"R2", "socket://10.0.0.2", "\"IPAddress\"=\"\"\n\"HostName\"=\"printer7\"\n"
       "\"PortNumber\"=dword:0000238c\n", 2, L"", 0},
      {"R3", "socket://10.0.0.3", "\"IPAddress\"=\"10.0.0.9\"\n", 3, L"", 0},
      {"R4", "socket://10.0.0.4", "\"IPAddress\"=\"10.0.0.9\"\n\"PortNumber\"=dword:00000000\n", 0,
       L"10.0.0.9", 0},
      {"R5", "socket://10.0.0.5", "\"IPAddress\"=dword:0a000009\n", 2, L"", 0},
  };
  for (const auto& c : cases) {
    if (!c.portValues.empty()) setup.AddRegistryText(PrinterSetup::PortKey(c.uri) + c.portValues);
    ASSERT_TRUE(setup.AddPrinter(c.queue, c.uri, 1)) << c.uri;
    CZqSyncSocketCom com;
    DWORD dwError = 0;
    EXPECT_EQ(com.SetIPAddress(std::wstring(c.queue.begin(), c.queue.end()), &dwError), c.result)
        << c.uri;
    EXPECT_EQ(com.m_strIPAddress, c.address) << c.uri;
    EXPECT_EQ(com.m_dwPortNumber, c.port) << c.uri;
  }
  TraceRecorder traces;
  CZqSyncSocketCom com;
  DWORD dwError = 0;
  EXPECT_EQ(com.SetIPAddress(L"Nobody", &dwError), 1u);
  EXPECT_EQ(dwError, 1801u);
  EXPECT_EQ(traces.Lines(),
            std::vector<std::wstring>{L"SetIPAddress(...): ERROR!! Unable to open printer Nobody\n"});
}

TEST_F(PrinterLinkTest, APrinterHeldByAnotherProcessIsBusyAfterFiveRetries) {
  // --no-fork: the command itself holds the lock, and one signal ends it.
  ChildRun holder({"flock", "--no-fork", LockFile(), "sh", "-c", "echo held; exec sleep 60"});
  ASSERT_TRUE(holder.WaitForOutput("held", 10s)) << holder.Err();
  TraceRecorder traces;
  BYTE status[6];
  DWORD dwLength = 9, dwError = 0;
  EXPECT_EQ(GetStatusEth(kPrinter, status, &dwLength, &dwError), 16u);
  EXPECT_EQ(dwError, PrinterMutex::kErrorTimeout);
  EXPECT_EQ(dwLength, 0u);
  for (int retry = 1; retry <= 5; ++retry) {
    EXPECT_EQ(traces.Count(L"RetrySyncSendReceiveCom(...): Connection failed: ethernet port busy. "
                           L"Retry... " + std::to_wstring(retry) + L"\n"),
              1u);
  }
  EXPECT_EQ(traces.Count(L"RetrySyncSendReceiveCom(...): Connection failed"), 5u);
  EXPECT_EQ(monitor.exchanges(), 0u);
}

TEST_F(PrinterLinkTest, AHolderThatDiedCostsOneRetry) {
  const pid_t child = fork();
  if (child == 0) {
    bool bExisted = false;
    DWORD dwError = 0;
    auto lock = PrinterMutex::Open(L"127.0.0.1;" + std::to_wstring(server->port()), bExisted,
                                   dwError);
    _exit(lock && lock->Acquire(1000, dwError) == PrinterMutex::Wait::kObtained ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_EQ(status, 0);
  TraceRecorder traces;
  EXPECT_EQ(printer_test::Outcome("GetGSIEth", kPrinter), "0 0x12");
  EXPECT_EQ(traces.Count(L"RetrySyncSendReceiveCom(...): Connection failed"), 1u);
  // The lock is clean again.
  EXPECT_EQ(printer_test::Outcome("GetGSIEth", kPrinter), "0 0x12");
  EXPECT_EQ(traces.Count(L"RetrySyncSendReceiveCom(...): Connection failed"), 1u);
}

TEST_F(PrinterLinkTest, AnswersInTheWrongFormAreNotTakenForSuccess) {
  settings.wrongForm = true;
  Serve();
  EXPECT_EQ(printer_test::Outcome("GetStatusEth", kPrinter).substr(0, 5), "4096 ");
  EXPECT_EQ(printer_test::Outcome("GetRetractEnDisEth", kPrinter), "4096 0");
  EXPECT_EQ(printer_test::Outcome("SendReceiveDataEth", kPrinter).substr(0, 5), "4096 ");
  EXPECT_EQ(printer_test::Outcome("SendResetEth", kPrinter), "4096");

  settings.wrongForm = false;
  settings.refuse = true;
  Serve();
  TraceRecorder traces;
  EXPECT_EQ(printer_test::Outcome("SendResetIIEth", kPrinter), "4096");
  EXPECT_EQ(traces.Count(L"SendResetIIEth(...): Error in SendResetIIEth: will return NACK\n"), 1u);
}

TEST_F(PrinterLinkTest, ATruncatedAnswerFailsAfterTheReadTimeOut) {
  settings.overrides[std::string("\x10\x04\x14")] = "AB";  // 16 of 20 bytes
  settings.overrides[std::string("\x1D\xE5")] = "12o";     // not a whole frame of a counter
  Serve();
  EXPECT_EQ(printer_test::Outcome("GetStatusEth", kPrinter), "64 ");
  EXPECT_EQ(printer_test::Outcome("GetTotNumOfPowerOnEth", kPrinter), "4096 0");
}

// Each call closes the lock file it opened (the lock is not kept open).
TEST_F(PrinterLinkTest, NoLockFileStaysOpenAfterACall) {
  const auto openLockFiles = [this] {
    int n = 0;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
      std::error_code ec;
      n += std::filesystem::read_symlink(fd.path(), ec).string().starts_with(setup.LockDir());
    }
    return n;
  };
  CZqSyncSocketCom com;
  DWORD dwError = 0;
  ASSERT_EQ(com.SetSocketConnectionType(kPrinter, &dwError), 0u);
  ASSERT_EQ(com.SetIPAddress(kPrinter, &dwError), 0u);
  const BYTE request[] = {0x10, 0x04, 0x15};
  for (int i = 0; i < 3; ++i) {
    BYTE gsi = 0;
    DWORD dwLength = 0;
    EXPECT_EQ(com.RetrySyncSendReceiveCom(request, 3, &gsi, 1, &dwLength, &dwError), 0u);
    EXPECT_EQ(gsi, 0x12);
    EXPECT_EQ(com.m_hSyncMutex, nullptr);
    EXPECT_EQ(openLockFiles(), 0);
  }
}

}  // namespace
