#include "PrinterCalls.h"

#include <corvane/CCorvaneFunctions.h>
#include <corvane/EthPrinterFunctions.h>

#include <charconv>
#include <cstdio>
#include <functional>
#include <map>

namespace {

using Args = std::vector<std::string>;
using Call = std::function<std::optional<PrinterCalls::Outcome>(const std::wstring&, const Args&,
                                                                std::string&)>;
using RawFunction = DWORD (*)(std::wstring, BYTE*, DWORD*, DWORD*);
using NumberFunction = DWORD (*)(std::wstring, DWORD*, DWORD*);
using FlagFunction = DWORD (*)(std::wstring, int&, DWORD*);
using CommandFunction = DWORD (*)(std::wstring, DWORD*);

constexpr DWORD kLongestAnswer = 65535;

std::string AnswerLine(const BYTE* pAnswer, DWORD dwLength) {
  const std::wstring hex = CCorvaneFunctions().ByteToExCString(pAnswer, dwLength);
  return "answer=" + std::string(hex.begin(), hex.end());
}

bool NoArgs(const Args& args, std::string& error) {
  if (!args.empty()) error = "this function takes no arguments";
  return args.empty();
}

bool ParseNumber(const std::string& text, DWORD& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

bool ParseHex(const std::string& text, std::vector<BYTE>& bytes) {
  if (text.empty() || text.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    unsigned byte = 0;
    const auto [end, ec] = std::from_chars(text.data() + i, text.data() + i + 2, byte, 16);
    if (ec != std::errc() || end != text.data() + i + 2) return false;
    bytes.push_back(static_cast<BYTE>(byte));
  }
  return true;
}

Call Raw(RawFunction function, DWORD dwRoom) {
  return [function, dwRoom](const std::wstring& printer, const Args& args, std::string& error)
             -> std::optional<PrinterCalls::Outcome> {
    if (!NoArgs(args, error)) return std::nullopt;
    std::vector<BYTE> answer(dwRoom);
    DWORD dwLength = 0, dwError = 0;
    PrinterCalls::Outcome outcome{function(printer, answer.data(), &dwLength, &dwError), {}};
    if (outcome.dwResult == 0) outcome.lines.push_back(AnswerLine(answer.data(), dwLength));
    return outcome;
  };
}

template <class Value, class Function>
Call Typed(Function function) {
  return [function](const std::wstring& printer, const Args& args, std::string& error)
             -> std::optional<PrinterCalls::Outcome> {
    if (!NoArgs(args, error)) return std::nullopt;
    Value value{};
    DWORD dwError = 0;
    PrinterCalls::Outcome outcome;
    if constexpr (std::is_same_v<Value, int>) {
      outcome.dwResult = function(printer, value, &dwError);
    } else {
      outcome.dwResult = function(printer, &value, &dwError);
    }
    // The value is written when an answer was decoded, understood or not.
    if (outcome.dwResult == 0 || outcome.dwResult == ANSW_UNKNOW) {
      char text[32];
      if constexpr (std::is_same_v<Value, float>) {
        std::snprintf(text, sizeof text, "%.1f", static_cast<double>(value));
      } else {
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
      }
      outcome.lines.push_back(std::string("value=") + text);
    }
    return outcome;
  };
}

Call Command(CommandFunction function) {
  return [function](const std::wstring& printer, const Args& args, std::string& error)
             -> std::optional<PrinterCalls::Outcome> {
    if (!NoArgs(args, error)) return std::nullopt;
    DWORD dwError = 0;
    return PrinterCalls::Outcome{function(printer, &dwError), {}};
  };
}

std::optional<PrinterCalls::Outcome> Recycle(const std::wstring& printer, const Args& args,
                                             std::string& error) {
  DWORD dwEnable = 0, dwError = 0;
  if (args.size() != 1 || !ParseNumber(args[0], dwEnable)) {
    error = "SendEnDisRecyclePrnEth takes one number: 0 disables recycling, others enable it";
    return std::nullopt;
  }
  return PrinterCalls::Outcome{SendEnDisRecyclePrnEth(printer, dwEnable, &dwError), {}};
}

std::optional<PrinterCalls::Outcome> SendReceive(const std::wstring& printer, const Args& args,
                                                 std::string& error) {
  std::vector<BYTE> request;
  DWORD dwExpected = 0;
  if (args.size() != 2 || !ParseHex(args[0], request) || !ParseNumber(args[1], dwExpected) ||
      dwExpected > kLongestAnswer) {
    error = "SendReceiveDataEth takes the request as hexadecimal bytes (e.g. 1D4903) and the "
            "expected answer length (0 to 65535)";
    return std::nullopt;
  }
  std::vector<BYTE> answer(dwExpected + 1);
  DWORD dwLength = 0, dwError = 0;
  PrinterCalls::Outcome outcome{
      SendReceiveDataEth(printer, request.data(), static_cast<DWORD>(request.size()),
                         answer.data(), dwExpected, &dwLength, &dwError),
      {}};
  if (outcome.dwResult == 0) outcome.lines.push_back(AnswerLine(answer.data(), dwLength));
  return outcome;
}

const std::vector<std::pair<std::string, Call>>& Table() {
  static const std::vector<std::pair<std::string, Call>> table = {
      {"SendReceiveDataEth", SendReceive},
      {"GetStatusEth", Raw(GetStatusEth, 6)},
      {"GetGSIEth", Raw(GetGSIEth, 1)},
      {"GetReleaseEth", Raw(GetReleaseEth, 4)},
      {"GetHeadTempEth", Raw(GetHeadTempEth, 6)},
      {"GetPowVoltageEth", Raw(GetPowVoltageEth, 6)},
      {"GetTotNumOfPowerOnEth", Typed<DWORD>(GetTotNumOfPowerOnEth)},
      {"GetNumTotCutEth", Typed<DWORD>(GetNumTotCutEth)},
      {"GetTotNumOfRetractEth", Typed<DWORD>(GetTotNumOfRetractEth)},
      {"GetTotPaperRemainingEth", Typed<DWORD>(GetTotPaperRemainingEth)},
      {"GetTotPaperPrintedEth", Typed<DWORD>(GetTotPaperPrintedEth)},
      {"GetTimeToCutEth", Typed<DWORD>(GetTimeToCutEth)},
      {"GetRetractEnDisEth", Typed<int>(GetRetractEnDisEth)},
      {"GetNotchEnDisEth", Typed<int>(GetNotchEnDisEth)},
      {"GetNotchDistanceEth", Typed<DWORD>(GetNotchDistanceEth)},
      {"GetNotchThresholdEth", Typed<float>(GetNotchThresholdEth)},
      {"SendResetEth", Command(SendResetEth)},
      {"SendResetIIEth", Command(SendResetIIEth)},
      {"SendResetIIIEth", Command(SendResetIIIEth)},
      {"SendEnDisRecyclePrnEth", Recycle},
  };
  return table;
}

}  // namespace

std::vector<std::string> PrinterCalls::Names() {
  std::vector<std::string> names;
  for (const auto& [name, call] : Table()) names.push_back(name);
  return names;
}

std::optional<PrinterCalls::Outcome> PrinterCalls::Run(const std::string& name,
                                                       const std::wstring& strPrinter,
                                                       const Args& args, std::string& error) {
  for (const auto& [known, call] : Table()) {
    if (known == name) return call(strPrinter, args, error);
  }
  error = "unknown function '" + name + "'";
  return std::nullopt;
}
