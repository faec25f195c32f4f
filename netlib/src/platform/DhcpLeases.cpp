#include "platform/DhcpLeases.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace corvane::detail {
namespace {

namespace fs = std::filesystem;

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  const auto e = s.find_last_not_of(" \t\r;");
  return s.substr(b, e - b + 1);
}

// Value after a keyword at the start of a statement ("fixed-address 1.2.3.4;").
bool Statement(const std::string& line, const std::string& keyword, std::string& value) {
  if (line.compare(0, keyword.size(), keyword) != 0) return false;
  value = Trim(line.substr(keyword.size()));
  value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
  return true;
}

bool HasAddress(const std::vector<AdapterAddress>& addresses, const std::string& ip) {
  return std::any_of(addresses.begin(), addresses.end(),
                     [&](const AdapterAddress& a) { return a.strIp == ip; });
}

bool ReadFile(const fs::path& path, std::string& text) {
  std::ifstream file(path);
  if (!file) return false;
  std::ostringstream buffer;
  buffer << file.rdbuf();
  text = buffer.str();
  return true;
}

bool LeaseFromFile(const fs::path& path, const std::string& iface,
                   const std::vector<AdapterAddress>& addresses, LeaseFacts& lease) {
  std::string text;
  if (!ReadFile(path, text)) return false;
  if (text.find("lease {") != std::string::npos) {
    return ParseDhclientLeases(text, iface, addresses, lease);
  }
  return ParseKeyValueLease(text, lease) && HasAddress(addresses, lease.strAddress);
}

// Lease files in a directory, newest first, filtered by a name test.
template <typename Accept>
std::vector<fs::path> LeaseFiles(const fs::path& dir, Accept accept) {
  std::vector<std::pair<fs::file_time_type, fs::path>> found;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!accept(name)) continue;
    std::error_code tec;
    found.emplace_back(fs::last_write_time(it->path(), tec), it->path());
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<fs::path> paths;
  for (auto& f : found) paths.push_back(std::move(f.second));
  return paths;
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool ParseDhclientLeases(const std::string& text, const std::string& iface,
                         const std::vector<AdapterAddress>& addresses, LeaseFacts& lease) {
  std::istringstream lines(text);
  std::string raw, value, blockIface;
  LeaseFacts current;
  bool inLease = false, found = false;
  while (std::getline(lines, raw)) {
    const std::string line = Trim(raw);
    if (line.rfind("lease", 0) == 0 && line.find('{') != std::string::npos) {
      inLease = true;
      current = LeaseFacts{};
      blockIface.clear();
    } else if (!inLease) {
      continue;
    } else if (line == "}") {
      inLease = false;
      const bool ifaceOk = iface.empty() || blockIface.empty() || blockIface == iface;
      if (ifaceOk && !current.strServer.empty() && HasAddress(addresses, current.strAddress)) {
        lease = current;
        found = true;
      }
    } else if (Statement(line, "interface", value)) {
      blockIface = value;
    } else if (Statement(line, "fixed-address", value)) {
      current.strAddress = value;
    } else if (Statement(line, "option dhcp-server-identifier", value)) {
      current.strServer = value;
    }
  }
  return found;
}

bool ParseKeyValueLease(const std::string& text, LeaseFacts& lease) {
  std::istringstream lines(text);
  std::string line;
  LeaseFacts facts;
  while (std::getline(lines, line)) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = Trim(line.substr(0, eq));
    const std::string value = Trim(line.substr(eq + 1));
    if (key == "ADDRESS") facts.strAddress = value;
    if (key == "SERVER_ADDRESS") facts.strServer = value;
  }
  if (facts.strServer.empty()) return false;
  lease = facts;
  return true;
}

std::string FindDhcpServer(const std::string& iface, unsigned index,
                           const std::vector<AdapterAddress>& addresses) {
  LeaseFacts lease;
  if (index != 0 &&
      LeaseFromFile("/run/systemd/netif/leases/" + std::to_string(index), iface, addresses, lease)) {
    return lease.strServer;
  }
  const std::string nmTail = "-" + iface + ".lease";
  for (const auto& path : LeaseFiles("/var/lib/NetworkManager",
                                     [&](const std::string& n) { return EndsWith(n, nmTail); })) {
    if (LeaseFromFile(path, iface, addresses, lease)) return lease.strServer;
  }
  for (const char* dir : {"/var/lib/dhcp", "/var/lib/dhclient"}) {
    for (const auto& path : LeaseFiles(dir, [](const std::string& n) {
           return EndsWith(n, ".leases") || EndsWith(n, ".lease");
         })) {
      if (LeaseFromFile(path, iface, addresses, lease)) return lease.strServer;
    }
  }
  return {};
}

}  // namespace corvane::detail
