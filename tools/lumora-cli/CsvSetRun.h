#pragma once
// set --from-csv: reads the file (nothing is sent when it is faulty), asks
// the printers (CPrinterSurvey), prints the plan, and unless it is a dry run sends the rows
// one after another, each looked for at its new address afterwards, with
// one result line per row and a summary.
#include <corvane/CorvaneTypes.h>

#include <filesystem>

class SetSession;
struct PlannedRow;

class CsvSetRun {
 public:
  struct Mode {
    bool bDryRun = false;
    bool bForce = false;
    bool bVerify = true;
    DWORD dwAttempts = 1;
  };

  CsvSetRun(SetSession& session, std::filesystem::path file);

  // The exit status: 0 only when every row that changes something was
  // verified (confirmed, with --no-verify); 2 for a faulty file.
  int Run(const Mode& mode);

 private:
  // Sends one row; true when it counts as done.
  bool Send(const PlannedRow& planned, const Mode& mode);

  SetSession& m_Session;
  std::filesystem::path m_File;
};
