#pragma once
// A transport for the discovery engine that plays scripted or simulated
// printers without touching the network.
#include "IDiscoveryTransport.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// One scripted outcome of a receive.
struct Reception {
  DWORD dwResult = 0;
  DWORD dwReceived = 0xFFFFFFFF;  // nothing in time
  std::string bytes;
  std::wstring strSender;
  DWORD dwPort = 15000;

  static Reception Datagram(std::string data, std::wstring sender) {
    Reception r;
    r.dwReceived = static_cast<DWORD>(data.size());
    r.bytes = std::move(data);
    r.strSender = std::move(sender);
    return r;
  }
  static Reception Empty() {
    Reception r;
    r.dwResult = 7;
    r.dwReceived = 0;
    return r;
  }
};

struct SentBytes {
  std::string bytes;
  std::wstring strHost;
  DWORD dwPort = 0;
  DWORD dwInterface = 0;  // SendTextTo through a chosen interface
};

struct SentMessage {
  std::wstring strText;
  DWORD dwPort = 0;
  DWORD dwBroadcast = 0;
};

// Answers come from a queue; when it is empty a receive reports that nothing
// arrived (after waiting the time-out, when bWaitTimeouts is set, on a
// condition the test can cut short). A responder may queue answers whenever
// a message is sent, playing printers.
class FakeTransport : public IDiscoveryTransport {
 public:
  using Responder = std::function<void(const std::wstring&, std::deque<Reception>&)>;
  using BytesResponder = std::function<void(const SentBytes&, std::deque<Reception>&)>;

  DWORD OpenReceiver(DWORD dwPort) override {
    std::lock_guard lock(m_Mutex);
    m_dwOpenedPort = dwPort;
    m_bOpen = m_dwOpenResult == 0;
    return m_dwOpenResult;
  }
  DWORD Receive(BYTE* pBuffer, DWORD dwBufferSize, DWORD& dwReceived, std::wstring& strSender,
                DWORD& dwPort, DWORD dwTimeout) override {
    std::unique_lock lock(m_Mutex);
    ++m_dwReceives;
    m_dwLastTimeout = dwTimeout;
    if (m_bWaitTimeouts && m_Queue.empty() && m_bOpen) {
      m_bInReceive = true;
      m_Cv.notify_all();
      m_Cv.wait_for(lock, std::chrono::milliseconds(dwTimeout),
                    [&] { return !m_Queue.empty() || !m_bWaitTimeouts; });
      m_bInReceive = false;
    }
    if (m_Queue.empty() || !m_bOpen) {
      dwReceived = 0xFFFFFFFF;
      return 0;
    }
    Reception r = std::move(m_Queue.front());
    m_Queue.pop_front();
    const size_t n = std::min<size_t>(r.bytes.size(), dwBufferSize);
    std::copy_n(r.bytes.begin(), n, pBuffer);
    dwReceived = r.dwReceived;
    strSender = r.strSender;
    dwPort = r.dwPort;
    return r.dwResult;
  }
  void CloseReceiver() override {
    std::lock_guard lock(m_Mutex);
    m_bOpen = false;
    ++m_dwCloseCalls;
  }
  DWORD SendMessage(const std::wstring& strMessage, DWORD dwTxPort, DWORD dwBroadcast,
                    std::wstring& strLocal, DWORD& dwPort) override {
    std::lock_guard lock(m_Mutex);
    m_Sent.push_back({strMessage, dwTxPort, dwBroadcast});
    strLocal = L"10.0.0.2";
    dwPort = dwTxPort;
    if (m_Responder) m_Responder(strMessage, m_Queue);
    m_Cv.notify_all();
    return m_dwSendResult;
  }

  DWORD SendBytesTo(const BYTE* pData, DWORD dwLength, const std::wstring& strHost,
                    DWORD dwTxPort, std::wstring& strLocal, DWORD& dwPort) override {
    std::lock_guard lock(m_Mutex);
    m_SentTo.push_back({std::string(reinterpret_cast<const char*>(pData), dwLength), strHost, dwTxPort});
    strLocal = L"10.0.0.2";
    dwPort = dwTxPort;
    if (m_BytesResponder) m_BytesResponder(m_SentTo.back(), m_Queue);
    m_Cv.notify_all();
    return m_dwSendResult;
  }

  // Unicast and per-interface sends land in SentTo as well.
  DWORD SendTextTo(const std::wstring& strMessage, const std::wstring& strAddress, DWORD dwTxPort,
                   DWORD dwInterface, const std::wstring&) override {
    std::lock_guard lock(m_Mutex);
    m_SentTo.push_back({std::string(strMessage.begin(), strMessage.end()), strAddress, dwTxPort,
                        dwInterface});
    if (m_BytesResponder) m_BytesResponder(m_SentTo.back(), m_Queue);
    m_Cv.notify_all();
    return m_dwSendResult;
  }
  std::vector<CCNetInterfaces::Entry> ListInterfaces() const override { return m_Interfaces; }

  // From now on a receive with nothing to read returns at once, also one
  // that waits now.
  void StopWaiting() {
    std::lock_guard lock(m_Mutex);
    m_bWaitTimeouts = false;
    m_Cv.notify_all();
  }
  void Push(Reception r) {
    std::lock_guard lock(m_Mutex);
    m_Queue.push_back(std::move(r));
    m_Cv.notify_all();
  }
  std::vector<SentMessage> Sent() const {
    std::lock_guard lock(m_Mutex);
    return m_Sent;
  }
  std::vector<SentBytes> SentTo() const {
    std::lock_guard lock(m_Mutex);
    return m_SentTo;
  }
  size_t SentCount(const std::wstring& strText) const {
    size_t n = 0;
    for (const auto& m : Sent()) n += m.strText == strText ? 1 : 0;
    return n;
  }
  // Waits until the worker sits in a receive with nothing to read.
  bool WaitInReceive(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_Mutex);
    return m_Cv.wait_for(lock, timeout, [&] { return m_bInReceive; });
  }

  DWORD m_dwOpenResult = 0;
  DWORD m_dwSendResult = 0;
  bool m_bWaitTimeouts = false;
  Responder m_Responder;
  BytesResponder m_BytesResponder;
  DWORD m_dwOpenedPort = 0;
  DWORD m_dwCloseCalls = 0;
  DWORD m_dwReceives = 0;
  DWORD m_dwLastTimeout = 0;
  std::vector<CCNetInterfaces::Entry> m_Interfaces;

 private:
  mutable std::mutex m_Mutex;
  std::condition_variable m_Cv;
  std::deque<Reception> m_Queue;
  std::vector<SentMessage> m_Sent;
  std::vector<SentBytes> m_SentTo;
  bool m_bOpen = false;
  bool m_bInReceive = false;
};

// Printers that answer like the real ones: their MAC to every discovery
// request, their fields to the information requests.
struct SimPrinter {
  std::string ip, mac, name, model, mask, gateway, dhcp;
};

inline const SimPrinter kPrinterA{"10.77.16.1", "02-51-4D-00-00-01", "OFFICE-1", "Quillmark Compact",
                                  "255.255.0.0", "10.77.0.1", "OFF"};
inline const SimPrinter kPrinterB{"10.77.16.2", "02-51-4D-00-00-02", "OFFICE-2", "Quillmark Wide",
                                  "255.255.0.0", "10.77.0.1", "ON"};

// Whether printer p leaves a request unanswered.
using Drop = std::function<bool(const SimPrinter& p, const std::wstring& strRequest)>;

// Queues the printers' answers to a request, each from its own address; with
// strHost only the printer at that address answers.
inline void QueueAnswers(const std::vector<SimPrinter>& printers, const std::wstring& strRequest,
                         const std::wstring& strHost, const Drop& drop, std::deque<Reception>& queue) {
  for (const SimPrinter& p : printers) {
    const std::wstring ip(p.ip.begin(), p.ip.end());
    if ((!strHost.empty() && strHost != ip) || (drop && drop(p, strRequest))) continue;
    const std::pair<const wchar_t*, std::string> answers[] = {
        {L"<ZQ><0000>", "<MAC><" + p.mac},          {L"<ZQ><STSMOQ><NAME>", "<NAME><" + p.name},
        {L"<ZQ><STSMOQ><MOD>", "<MOD><" + p.model},  {L"<ZQ><STSMOQ><SNM>", "<SNM><" + p.mask},
        {L"<ZQ><STSMOQ><GTW>", "<GTW><" + p.gateway}, {L"<ZQ><STSMOQ><DHCP>", "<DHCP><" + p.dhcp}};
    for (const auto& [request, text] : answers)
      if (strRequest == request) queue.push_back(Reception::Datagram("<ZQ>" + text + ">", ip));
  }
}

// The printers answering broadcasts, less the answers drop takes away.
inline FakeTransport::Responder PrinterResponder(std::vector<SimPrinter> printers, Drop drop = nullptr) {
  return [=](const std::wstring& strRequest, std::deque<Reception>& queue) {
    QueueAnswers(printers, strRequest, L"", drop, queue);
  };
}

// The same printers asked one at a time.
inline FakeTransport::BytesResponder UnicastResponder(std::vector<SimPrinter> printers) {
  return [=](const SentBytes& sent, std::deque<Reception>& queue) {
    QueueAnswers(printers, std::wstring(sent.bytes.begin(), sent.bytes.end()), sent.strHost, nullptr,
                 queue);
  };
}
