// Fuzzes the frame codec with what a peer controls: the received bytes and
// their length, against any capacity and any code; builds frames from any
// data and takes them apart again; dumps them; converts address texts.
#include <corvane/CCorvaneFunctions.h>

#include <cstring>
#include <memory>

#include "FuzzInput.h"

namespace {

const wchar_t* const kCodes[] = {L"<STSMOQ><CMD>", L"<0000>", L"", L"<STSMOQ><NAME>"};

std::wstring PickCode(FuzzInput& in) {
  const std::uint8_t choice = in.Byte();
  if (choice & 0x80) return Widen(in.ShortRun());
  return kCodes[choice % (sizeof kCodes / sizeof kCodes[0])];
}

// Exactly uiSize bytes on the heap, so that any write past them is caught.
std::unique_ptr<BYTE[]> Buffer(std::size_t uiSize) { return std::make_unique<BYTE[]>(uiSize); }

void TakeApart(const CCorvaneFunctions& f, const std::wstring& code, DWORD dwCapacity,
               const std::string& received) {
  auto out = Buffer(dwCapacity);
  DWORD dwLength = dwCapacity;
  const auto* pReceived = reinterpret_cast<const BYTE*>(received.data());
  const BOOL bOk = f.GetDataEthAnswer(out.get(), dwLength, L"<ZQ>", code, pReceived,
                                      static_cast<DWORD>(received.size()));
  if (!bOk) return;
  const std::size_t header = 4 + code.size();
  Require(received.size() <= CCorvaneFunctions::kMaxFrame);
  Require(dwLength <= dwCapacity && dwLength + header + 2 == received.size());
  Require(dwLength == 0 || std::memcmp(out.get(), pReceived + header + 1, dwLength) == 0);
}

void RoundTrip(const CCorvaneFunctions& f, const std::wstring& code, DWORD dwCapacity,
               const std::string& data, BYTE btStart, BYTE btEnd) {
  auto frame = Buffer(dwCapacity);
  DWORD dwFrame = dwCapacity;
  const auto* pData = reinterpret_cast<const BYTE*>(data.data());
  const auto dwData = static_cast<DWORD>(data.size());
  if (!f.FormatEthBuffToSend(frame.get(), dwFrame, L"<ZQ>", code, pData, dwData, btStart, btEnd)) {
    Require(dwFrame == dwCapacity);
    return;
  }
  Require(dwFrame == 4 + code.size() + data.size() + 2 && dwFrame <= CCorvaneFunctions::kMaxFrame);
  auto back = Buffer(dwData);
  DWORD dwBack = dwData;
  Require(f.GetDataEthAnswer(back.get(), dwBack, L"<ZQ>", code, frame.get(), dwFrame) == 1);
  Require(dwBack == dwData && (dwData == 0 || std::memcmp(back.get(), pData, dwData) == 0));
  const std::wstring dump = f.BufByteToExCString(frame.get(), dwFrame, L"<ZQ>", code);
  Require(dump.starts_with(L"<ZQ>" + code + L"<") && dump.ends_with(L">"));
}

void Addresses(const CCorvaneFunctions& f, const std::string& bytes) {
  const std::wstring text = Widen(bytes);
  const DWORD dwIp = f.strIpToDword(text);
  Require(f.strIpToDword(f.dwordToStrIp(dwIp)) == dwIp);
  f.strMacToDword(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t uiSize) {
  FuzzInput in(pData, uiSize);
  const CCorvaneFunctions f;
  const std::wstring code = PickCode(in);
  const DWORD dwCapacity = in.Word() % 1100;
  const BYTE btStart = in.Byte();
  const BYTE btEnd = in.Byte();
  const std::string rest = in.Rest();
  TakeApart(f, code, dwCapacity, rest);
  RoundTrip(f, code, dwCapacity, rest, btStart, btEnd);
  const auto* pRest = reinterpret_cast<const BYTE*>(rest.data());
  f.BufByteToExCString(pRest, static_cast<DWORD>(rest.size()), L"<ZQ>", code);
  Require(f.ByteToExCString(pRest, static_cast<DWORD>(rest.size())).size() ==
          (rest.empty() ? 0 : rest.size() * 5 - 1));
  Addresses(f, rest);
  return 0;
}
