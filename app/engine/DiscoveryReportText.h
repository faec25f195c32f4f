#pragma once
// The discovery report as text (UTF-8), as lumora-cli prints it after the
// printers and the window's "Discovery report..." shows it: one block per
// interface the run used, the unicast and fill-in figures, the kernel's
// drops, and verdict lines that say why printers may be missing.
#include "CDiscoveryReportData.h"

#include <string>
#include <vector>

namespace DiscoveryReportText {

std::string Text(const CDiscoveryReportData& report);
// The verdict lines, most telling first.
std::vector<std::string> Verdicts(const CDiscoveryReportData& report);
// UTF-8 of a text from the network with its control characters written as
// \xNN, so that what a printer answered cannot move a terminal's cursor.
std::string Visible(const std::wstring& strText);
// The characters Visible() writes as \xNN: C0 and C1 controls and DEL.
bool IsControl(wchar_t c);

}  // namespace DiscoveryReportText
