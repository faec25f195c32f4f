#pragma once
// The simulator answers anyone who asks on the printers' port; in the
// machine's own network namespace that would show fake printers to real
// programs on the office network. This check lets it run only in a network
// namespace of its own, such as a peer of the virtual LAN.
namespace printersim {

class NamespaceGuard {
 public:
  // True only when this process provably runs in a network namespace other
  // than the machine's own: one that differs from init's, or, where init's
  // cannot be read (containers), one made by `ip netns add`.
  static bool InSeparateNetworkNamespace();
};

}  // namespace printersim
