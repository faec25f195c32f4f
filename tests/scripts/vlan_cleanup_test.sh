#!/usr/bin/env bash
# Runs failing and interrupted commands in the virtual LAN and checks that
# every namespace that run made is gone afterwards, and that the LAN works.
# Only this run's own namespaces are looked at, so other LANs may run beside it.
set -u
vlan=$1
fail() { echo "FAIL: $*"; exit 1; }
idfile=$(mktemp)
trap 'rm -f "$idfile"' EXIT
left_over() { ip netns list | grep -c "^$(cat "$idfile")" ; }

# A command that fails: its exit code comes back, nothing is left behind.
"$vlan" run --peers 2 -- bash -c 'echo "$VLAN_ID" > '"$idfile"'; exit 7'
[[ $? -eq 7 ]] || fail "exit code of the command not passed on"
[[ -s $idfile ]] || fail "the command did not run"
[[ $(left_over) -eq 0 ]] || fail "namespaces left after a failing command"

# The LAN is isolated and reachable: the host sees both peers on eth0,
# the default route goes out on it, and each peer has the MAC it was given.
out=$("$vlan" run --peers 2 -- bash -c '
  ip route show default | grep -q "via $VLAN_GATEWAY dev eth0" || exit 11
  ip netns exec "$VLAN_PEER2_NS" ip -br link show eth0 | grep -qi "$VLAN_PEER2_MAC" || exit 12
  [[ $(ip -br link | grep -vc "^lo") -eq 1 ]] || exit 13
  echo ok')
[[ $? -eq 0 && $out == ok ]] || fail "LAN not built as described ($out)"

# An interrupted run (TERM: background jobs of a script ignore INT) cleans up
# too, at once rather than when the command would have ended.
: > "$idfile"
start=$SECONDS
"$vlan" run --peers 1 -- bash -c 'echo "$VLAN_ID" > '"$idfile"'; exec sleep 30' &
pid=$!
for _ in $(seq 100); do
  [[ -s $idfile ]] && break
  sleep 0.1
done
[[ -s $idfile ]] || fail "the command did not start"
kill -TERM $pid
wait $pid
[[ $(left_over) -eq 0 ]] || fail "namespaces left after an interrupt"
(( SECONDS - start < 20 )) || fail "interrupt did not end the command"

# Without root it refuses with a clear message. The checkout may sit in a
# folder other accounts cannot enter (a home folder of mode 0700), so the
# unprivileged run gets a world-readable copy of the script.
if command -v setpriv >/dev/null; then
  copy=$(mktemp /tmp/vlan-copy.XXXXXX)
  trap 'rm -f "$idfile" "$copy"' EXIT
  cp "$vlan" "$copy" && chmod 0755 "$copy"
  msg=$(cd / && setpriv --reuid=65534 --regid=65534 --clear-groups "$copy" run -- true 2>&1)
  [[ $? -ne 0 && $msg == *root* ]] || fail "no clear refusal without root ($msg)"
fi
echo "vlan: cleanup ok"
