#pragma once
// The machine's IPv4 interfaces as a sender that chooses its way out needs
// them: one entry per IPv4 address, with the interface's name, index and
// state and the address's subnet-directed broadcast address. Everything is
// collected in the constructor; the entries are copies.
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <string>
#include <vector>

class CORVANE_EXPORT CCNetInterfaces {
 public:
  struct Entry {
    std::wstring strName;  // interface name, e.g. "eth0"
    DWORD dwIndex = 0;     // interface index
    // Addresses as numbers (first octet most significant) and dotted texts.
    DWORD dwAddress = 0;
    DWORD dwMask = 0;
    DWORD dwBroadcast = 0;  // the address with all host bits set
    std::wstring strAddress;
    std::wstring strMask;
    std::wstring strBroadcast;
    BOOL bUp = 0;         // up and running
    BOOL bLoopback = 0;
    BOOL bBroadcast = 0;  // the link broadcasts (not point-to-point)
  };

  // Reads the running system.
  CCNetInterfaces();
  // Takes the given entries (tests, or another view of the system).
  explicit CCNetInterfaces(std::vector<Entry> entries);

  // 0 when the system's interface list could not be read.
  BOOL IsValid() const { return m_bValid; }
  const std::vector<Entry>& GetEntries() const { return m_Entries; }

  // True for an entry a subnet-directed broadcast can leave through: up,
  // broadcasting, not loopback, and a subnet with room for a broadcast
  // address (a /31 or /32 has none).
  static bool CanBroadcast(const Entry& entry);
  // True when the address lies in the entry's subnet.
  static bool InSubnet(const Entry& entry, DWORD dwAddress);
  // An entry with the three numbers and their texts filled in.
  static Entry MakeEntry(const std::wstring& strName, DWORD dwIndex, DWORD dwAddress, DWORD dwMask);

 private:
  BOOL m_bValid = 0;
  std::vector<Entry> m_Entries;
};
