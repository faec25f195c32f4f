#pragma once
// Exit statuses of lumora-cli, shared by every command.
namespace CliExit {
constexpr int kOk = 0;
// The command could not do its work (a discovery that could not start, a
// printer that did not confirm).
constexpr int kFailed = 1;
constexpr int kUsage = 2;
// status: another program holds the printer; try again later.
constexpr int kBusy = 3;
// Ended early by Ctrl-C (128 + SIGINT).
constexpr int kInterrupted = 130;
}  // namespace CliExit
