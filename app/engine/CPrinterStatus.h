#pragma once
// What an installed printer told about itself: one entry per read-only
// function of the printer link, with the function's result code. Raw
// answers (status bytes, GSI byte, release, head temperature, voltage) are
// the printer's own bytes: which bit means what is not known, so they are
// shown in hexadecimal (and as text when every byte is printable).
#include <corvane/CorvaneTypes.h>

#include <string>
#include <vector>

struct CPrinterStatus {
  enum class Kind { kBytes, kNumber, kVolts, kFlag };
  enum class State {
    kComplete,     // every value was asked (each may still have failed)
    kBusy,         // another program holds the printer (result 16)
    kNotSetUp,     // no queue, no address or no protocol for it
    kNoContact,    // the printer did not answer twice in a row
    kInterrupted,  // stopped by the caller
  };

  struct Value {
    const char* pszKey;    // "paper_remaining"
    const char* pszLabel;  // "Paper remaining"
    const char* pszUnit;   // "cm", "V" or ""
    Kind kind;
    bool bAsked = false;
    DWORD dwResult = 0;
    std::vector<BYTE> bytes;  // kBytes
    DWORD dwNumber = 0;       // kNumber, kFlag (0 or 1)
    float fVolts = 0;         // kVolts

    bool Ok() const { return bAsked && dwResult == 0; }
    // "01 02 0A", "1234", "3.9", "enabled"; empty unless Ok().
    std::string Text() const;
    // The raw bytes as text when all are printable, else empty.
    std::string Printable() const;
    // Text() with the unit, or what went wrong ("failed: no answer (64)").
    std::string Display() const;
  };

  std::string strQueue;
  std::string strDeviceUri;  // empty when the spooler did not say
  int iProtocol = -1;        // EthPrt: 0 UDP, 1 TCP, -1 not known
  State state = State::kComplete;
  std::string strProblem;    // why the reading ended early
  std::vector<Value> values;

  static constexpr const char* kRawNote =
      "Status bytes, GSI byte, release, head temperature and supply voltage are the printer's "
      "raw bytes, shown in hexadecimal: what each bit means is not known.";

  // How the reading went, in one line ("every value read", "the printer is
  // busy: ...").
  std::string Summary() const;

  // What a result code of the printer functions means, in a few words.
  static std::string ResultText(DWORD dwResult);
};
