#include "DiscoveryReportText.h"

#include "EnginePlatform.h"

#include <cstdio>

namespace {


using Interface = CDiscoveryReportData::Interface;
using Verdict = CDiscoveryReportData::Verdict;
using EnginePlatform::WideToUtf8;
using DiscoveryReportText::Visible;

std::string Name(const Interface& i) {
  return i.strName.empty() ? "interface " + WideToUtf8(i.strAddress) : WideToUtf8(i.strName);
}

std::string Plural(DWORD n, const char* szOne, const char* szMany) {
  return std::to_string(n) + " " + (n == 1 ? szOne : szMany);
}

std::string InterfaceVerdict(const Interface& i, UINT uiRxPort) {
  const std::string name = Name(i);
  switch (i.verdict) {
    case Verdict::kNoAnswer:
      return "no answer on " + name + ": no printer there, or UDP port " +
             std::to_string(uiRxPort) + " blocked by a firewall on this computer";
    case Verdict::kOutsiders:
      return name + ": " + Plural(static_cast<DWORD>(i.outsiders.size()), "printer", "printers") +
             " answered from outside " + WideToUtf8(i.strAddress) + " mask " +
             WideToUtf8(i.strMask) +
             " (a wrong or factory address): give them an address of this subnet";
    case Verdict::kPrintersFound:
      return name + ": " + Plural(i.dwPrintersFound, "printer", "printers") + " found";
    case Verdict::kNotAsked: break;
  }
  return name + ": no broadcast sent; " + Plural(i.dwAnswers, "answer", "answers") +
         " to unicast requests";
}

std::string Block(const Interface& i) {
  std::string out = Name(i) + "  address " + WideToUtf8(i.strAddress) + "  mask " +
                    WideToUtf8(i.strMask) + "  broadcast " +
                    (i.strBroadcast.empty() ? "-" : WideToUtf8(i.strBroadcast)) + "\n";
  out += "  requests sent       " + std::to_string(i.dwRequestsSent) + "\n";
  out += "  answers received    " + std::to_string(i.dwAnswers) + "\n";
  out += "  printers found      " + std::to_string(i.dwPrintersFound) + "\n";
  out += "  outside the subnet  " + std::to_string(i.outsiders.size()) + "\n";
  for (const auto& o : i.outsiders) {
    out += "    " + Visible(o.strAddress) + "  MAC " +
           (o.strMac.empty() ? "-" : Visible(o.strMac)) + "  name " +
           (o.strName.empty() ? "-" : Visible(o.strName)) + "\n";
  }
  return out;
}

}  // namespace

namespace DiscoveryReportText {

bool IsControl(wchar_t c) { return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0); }

std::string Visible(const std::wstring& strText) {
  std::string out;
  std::wstring run;
  for (wchar_t c : strText) {
    if (!IsControl(c)) {
      run.push_back(c);
      continue;
    }
    out += WideToUtf8(run);
    run.clear();
    char szHex[8];
    std::snprintf(szHex, sizeof szHex, "\\x%02X", static_cast<unsigned>(c));
    out += szHex;
  }
  return out + WideToUtf8(run);
}

std::vector<std::string> Verdicts(const CDiscoveryReportData& r) {
  std::vector<std::string> lines;
  for (const std::wstring& problem : r.problems) lines.push_back(Visible(problem));
  for (const Interface& i : r.interfaces) lines.push_back(InterfaceVerdict(i, r.uiRxPort));
  if (r.dwUnicastAddresses > 0 && r.dwUnicastAnswered == 0) {
    lines.push_back("no answer from the " + Plural(r.dwUnicastAddresses, "address", "addresses") +
                    " asked by unicast: no printer there, or a router or firewall on the way "
                    "blocks UDP port " + std::to_string(r.uiTxPort) + " or " +
                    std::to_string(r.uiRxPort));
  }
  if (r.dwKernelDrops > 0) {
    lines.push_back("the kernel dropped " + Plural(r.dwKernelDrops, "answer", "answers") +
                    " at the receiving socket (its buffer was full): raise net.core.rmem_max");
  }
  if (!r.fillInIncomplete.empty() && r.fillInIncomplete.back() > 0) {
    lines.push_back(Plural(r.fillInIncomplete.back(), "printer", "printers") +
                    " still lack fields after the fill-in rounds");
  }
  if (r.interfaces.empty() && r.dwUnicastAddresses == 0)
    lines.push_back("no request went out: no interface to broadcast through");
  return lines;
}

std::string Text(const CDiscoveryReportData& r) {
  std::string out = "DISCOVERY REPORT\n";
  for (const Interface& i : r.interfaces) out += Block(i);
  if (r.dwUnicastAddresses > 0) {
    out += "unicast  " + Plural(r.dwUnicastAddresses, "address", "addresses") + " asked, " +
           std::to_string(r.dwUnicastAnswered) + " answered\n";
  }
  out += "unicast requests sent  " + std::to_string(r.dwUnicastRequests) + "\n";
  if (!r.fillInIncomplete.empty()) {
    out += "fill-in  incomplete records per round:";
    for (DWORD n : r.fillInIncomplete) out += " " + std::to_string(n);
    out += " (" + std::to_string(r.dwFillInMilliseconds) + " ms)\n";
  }
  out += "dropped by the kernel  " +
         (r.bDropsKnown ? std::to_string(r.dwKernelDrops) : std::string("not known")) + "\n";
  for (const std::string& line : Verdicts(r)) out += "verdict: " + line + "\n";
  return out;
}

}  // namespace DiscoveryReportText
