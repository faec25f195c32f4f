#include "CDiscoveryReport.h"

#include <corvane/CCorvaneFunctions.h>

#include <algorithm>

namespace {

using Entry = CCNetInterfaces::Entry;

bool HoldsAddress(const std::vector<Entry>& subnets, DWORD dwAddress) {
  return std::any_of(subnets.begin(), subnets.end(),
                     [&](const Entry& e) { return CCNetInterfaces::InSubnet(e, dwAddress); });
}

}  // namespace

void CDiscoveryReport::Begin(std::vector<Entry> machine, const std::vector<DWORD>& unicastTargets,
                             UINT uiTxPort, UINT uiRxPort) {
  std::lock_guard lock(m_Mutex);
  m_Machine = std::move(machine);
  m_Unicast = std::unordered_set<DWORD>(unicastTargets.begin(), unicastTargets.end());
  m_UnicastAnswered.clear();
  m_Blocks.clear();
  m_Data = CDiscoveryReportData{};
  m_Data.uiTxPort = uiTxPort;
  m_Data.uiRxPort = uiRxPort;
  m_Data.dwUnicastAddresses = static_cast<DWORD>(m_Unicast.size());
}

void CDiscoveryReport::AddProblem(const std::wstring& strProblem) {
  Locked([&] { m_Data.problems.push_back(strProblem); });
}

CDiscoveryReport::Block& CDiscoveryReport::BlockFor(const Entry& entry) {
  const auto it = std::find_if(m_Blocks.begin(), m_Blocks.end(), [&](const Block& b) {
    return entry.dwIndex != 0 ? b.data.dwIndex == entry.dwIndex
                              : b.data.strAddress == entry.strAddress;
  });
  if (it != m_Blocks.end()) return *it;
  Block block;
  block.data.strName = entry.strName;
  block.data.dwIndex = entry.dwIndex;
  block.data.strAddress = entry.strAddress;
  block.data.strMask = entry.strMask;
  for (const Entry& e : m_Machine)
    if (entry.dwIndex != 0 && e.dwIndex == entry.dwIndex) block.subnets.push_back(e);
  if (block.subnets.empty()) block.subnets.push_back(entry);
  m_Blocks.push_back(std::move(block));
  return m_Blocks.back();
}

void CDiscoveryReport::BroadcastSent(const std::wstring& strLocalAddress,
                                     const std::wstring& strBroadcast) {
  std::lock_guard lock(m_Mutex);
  const auto it = std::find_if(m_Machine.begin(), m_Machine.end(),
                               [&](const Entry& e) { return e.strAddress == strLocalAddress; });
  Entry entry;
  entry.strAddress = strLocalAddress;
  Block& block = BlockFor(it != m_Machine.end() ? *it : entry);
  block.data.strBroadcast = strBroadcast;
  ++block.data.dwRequestsSent;
}

CDiscoveryReport::Block* CDiscoveryReport::ArrivalBlock(DWORD dwSender, DWORD dwArrival) {
  if (dwArrival != 0) {
    for (Block& b : m_Blocks)
      if (b.data.dwIndex == dwArrival) return &b;
    const Entry* pFirst = nullptr;
    for (const Entry& e : m_Machine) {
      if (e.dwIndex != dwArrival) continue;
      if (CCNetInterfaces::InSubnet(e, dwSender)) return &BlockFor(e);
      if (pFirst == nullptr) pFirst = &e;
    }
    if (pFirst != nullptr) return &BlockFor(*pFirst);
  }
  // Where the system does not tell the interface: the one whose subnet
  // holds the sender, else the first one used.
  for (Block& b : m_Blocks)
    if (HoldsAddress(b.subnets, dwSender)) return &b;
  if (!m_Blocks.empty()) return &m_Blocks.front();
  return &BlockFor(Entry{});
}

void CDiscoveryReport::AnswerReceived(DWORD dwSender, DWORD dwArrival, AnswerKind kind,
                                      const std::wstring& strValue) {
  std::lock_guard lock(m_Mutex);
  Block& block = *ArrivalBlock(dwSender, dwArrival);
  ++block.data.dwAnswers;
  const bool bUnicast = m_Unicast.count(dwSender) != 0;
  if (kind == AnswerKind::kMac) {
    block.printers.insert(dwSender);
    if (bUnicast) m_UnicastAnswered.insert(dwSender);
  }
  if (bUnicast || HoldsAddress(block.subnets, dwSender)) return;
  const std::wstring strSender = CCorvaneFunctions().dwordToStrIp(dwSender);
  auto& outsiders = block.data.outsiders;
  auto it = std::find_if(outsiders.begin(), outsiders.end(),
                         [&](const auto& o) { return o.strAddress == strSender; });
  if (it == outsiders.end()) it = outsiders.insert(outsiders.end(), {strSender, L"", L""});
  if (kind == AnswerKind::kMac) it->strMac = strValue;
  if (kind == AnswerKind::kName) it->strName = strValue;
}

void CDiscoveryReport::KernelDrops(BOOL bKnown, DWORD dwDrops) {
  Locked([&] {
    m_Data.bDropsKnown = bKnown;
    m_Data.dwKernelDrops = bKnown ? dwDrops : 0;
  });
}

CDiscoveryReportData::Verdict CDiscoveryReport::VerdictOf(
    const CDiscoveryReportData::Interface& i) {
  using Verdict = CDiscoveryReportData::Verdict;
  if (i.dwRequestsSent == 0) return Verdict::kNotAsked;
  if (i.dwAnswers == 0) return Verdict::kNoAnswer;
  return i.outsiders.empty() ? Verdict::kPrintersFound : Verdict::kOutsiders;
}

CDiscoveryReportData CDiscoveryReport::Snapshot() const {
  std::lock_guard lock(m_Mutex);
  CDiscoveryReportData data = m_Data;
  data.dwUnicastAnswered = static_cast<DWORD>(m_UnicastAnswered.size());
  for (const Block& b : m_Blocks) {
    data.interfaces.push_back(b.data);
    data.interfaces.back().dwPrintersFound = static_cast<DWORD>(b.printers.size());
    data.interfaces.back().verdict = VerdictOf(b.data);
  }
  return data;
}
