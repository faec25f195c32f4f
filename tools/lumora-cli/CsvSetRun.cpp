#include "CsvSetRun.h"

#include "CliExit.h"
#include "CliText.h"
#include "ProvisioningFile.h"
#include "ProvisioningPlan.h"
#include "SetSession.h"

#include <iostream>

CsvSetRun::CsvSetRun(SetSession& session, std::filesystem::path file)
    : m_Session(session), m_File(std::move(file)) {}

int CsvSetRun::Run(const Mode& mode) {
  std::vector<ProvisioningRow> rows;
  std::string error;
  if (!ProvisioningFile::Read(m_File, rows, error)) {
    std::cerr << "lumora-cli: " << error << "; nothing was sent\n";
    return CliExit::kUsage;
  }
  std::vector<std::wstring> macs;
  for (const ProvisioningRow& row : rows) macs.push_back(row.strMac);
  if (!m_Session.Discover(macs)) return CliExit::kFailed;
  const std::vector<PlannedRow> plan =
      ProvisioningPlan::Make(rows, m_Session.Devices(), m_Session.Check(), mode.bForce);
  std::size_t uSendable = 0, uUnchanged = 0;
  for (const PlannedRow& p : plan) {
    std::cout << ProvisioningPlan::Describe(p);
    uUnchanged += p.Unchanged() ? 1 : 0;
    uSendable += p.Sendable() && !p.Unchanged() ? 1 : 0;
  }
  const std::size_t uCannot = plan.size() - uSendable - uUnchanged;
  if (mode.bDryRun) {
    std::cout << "dry run: " << uSendable << " to change, " << uUnchanged << " unchanged, "
              << uCannot << " cannot; nothing was sent" << std::endl;
    return uCannot == 0 ? CliExit::kOk : CliExit::kFailed;
  }
  std::cout << "\n";
  std::size_t uDone = 0;
  for (const PlannedRow& p : plan) {
    if (p.Sendable() && !p.Unchanged()) uDone += Send(p, mode) ? 1 : 0;
  }
  const char* szDone = mode.bVerify ? " verified, " : " confirmed, ";
  std::cout << "summary: " << plan.size() << " rows: " << uDone << szDone
            << (uSendable - uDone) << " not, " << uUnchanged << " unchanged, " << uCannot
            << " not sent" << std::endl;
  return uDone == uSendable && uCannot == 0 ? CliExit::kOk : CliExit::kFailed;
}

bool CsvSetRun::Send(const PlannedRow& p, const Mode& mode) {
  const CChangeRunner::Result r =
      m_Session.Change(p.strDeviceMac, p.proposed, mode.dwAttempts, mode.bVerify);
  std::cout << "line " << p.row.uLine << ", " << CliText::Display(p.row.strMac) << ": "
            << (r.outcome.uiMessage != 0 ? CliText::Display(r.outcome.Text())
                                         : CliText::TransportError(r.outcome.dwResult));
  if (r.verification) std::cout << " " << CliText::Display(r.verification->Text());
  std::cout << std::endl;
  if (!r.strJournalError.empty())
    std::cerr << "lumora-cli: warning: the change journal was not written: " << r.strJournalError
              << "\n";
  if (r.verification) return r.verification->eResult == CSetVerifier::EResult::kVerified;
  return r.outcome.uiMessage != 0 && r.outcome.dwResult == 0;
}
