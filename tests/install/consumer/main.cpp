// Uses exported classes of the installed library; no network.
#include <corvane/CCorvaneFunctions.h>
#include <corvane/CCorvaneMessage.h>

int main() {
  CCorvaneFunctions functions;
  if (functions.dwordToStrIp(functions.strIpToDword(L"192.168.1.10")) != L"192.168.1.10") return 1;
  CCorvaneMessage message;
  message.Add(7);
  return message.GetNbElements() == 1 ? 0 : 2;
}
