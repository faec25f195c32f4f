#!/bin/bash
# Run inside the virtual LAN (as root, with printer-sim serving printers on a
# peer): the installed lumora-cli, unpacked into a folder of its own and run
# as an ordinary user (nobody) with a home of its own, reads the settings of
# ~/.config/lumora, finds the printers, and writes its log to
# ~/.local/state/lumora and nowhere else.
#   user_files_test.sh OUT LIBDIR   (OUT holds the .deb files)
set -u
out=$1
libdir=$2
[[ ${VLAN:-} == 1 ]] || { echo "user_files_test.sh: run it inside scripts/vlan" >&2; exit 1; }
tmp=$(mktemp -d /tmp/lumora-user-files.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
for name in lumora libcorvane[0-9]* libinfolio[0-9]*; do
  dpkg-deb -x "$(ls "$out"/${name}_*.deb | head -1)" "$tmp/root"
done
home=$tmp/home
mkdir -p "$home/.config/lumora"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
as_user() {
  setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -i HOME="$home" LD_LIBRARY_PATH="$tmp/root/usr/$libdir" "$tmp/root/usr/bin/lumora-cli" "$@"
}

# Without a file of the user's: the system's, or the defaults.
chown -R nobody:nogroup "$home"
first=$(as_user settings | head -1)
[[ $first == "; ini: /etc/lumora/lumora.ini" || $first == "; ini: defaults (none of "* ]] ||
  fail "settings without a user file: $first"

# The user's own file: the installed one with shorter waits.
sed -e 's/^dwMaxDiscoveryTry=.*/dwMaxDiscoveryTry=2/' -e 's/^dwMaxFillInTry=.*/dwMaxFillInTry=1/' \
  "$tmp/root/etc/lumora/lumora.ini" >"$home/.config/lumora/lumora.ini"
chown -R nobody:nogroup "$home"
first=$(as_user settings | head -1)
[[ $first == "; ini: $home/.config/lumora/lumora.ini" ]] || fail "settings: $first"

touch "$tmp/before"
found=$(as_user discover --csv)
status=$?
printers=$(grep -c ',02-51-4D-' <<<"$found")
[[ $status -eq 0 && $printers -eq ${VLAN_SIM_COUNT:-0} ]] ||
  fail "discover as nobody (exit $status, $printers printers): $found"
log=$home/.local/state/lumora/lumora.log
grep -q -- '--> ' "$log" 2>/dev/null || fail "no log at $log"
written=$(find "$tmp" /tmp /var/tmp /dev/shm /run -xdev -newer "$tmp/before" -user nobody \
  ! -path "$home" ! -path "$home/*" 2>/dev/null)
[[ -z $written ]] || fail "written outside the user's home: $written"

[[ $failures -eq 0 ]] && echo "user files: all checks passed"
exit $((failures > 0))
