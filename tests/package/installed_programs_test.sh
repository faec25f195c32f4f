#!/bin/bash
# The unpacked packages (OUT/root) as a user gets them: the package set and
# its dependencies, the programs running against the unpacked libraries only,
# the libraries' exports, manual pages, desktop entry, metainfo, icons, the
# files of /etc, and the completion against each subcommand's --help.
#   installed_programs_test.sh OUT BUILD_DIR LIBDIR
set -u
out=$1
build=$2
libdir=$3
root=$out/root
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Package names follow the libraries' SONAMEs; dependencies are computed.
major=$(objdump -p "$root"/usr/$libdir/libcorvane.so.*.*.* | sed -n 's/.*SONAME *libcorvane\.so\.//p')
for name in lumora lumora-tools "libcorvane$major" libcorvane-dev "libinfolio$major" libinfolio-dev; do
  ls "$out/${name}_"*.deb >/dev/null 2>&1 || fail "no package $name"
done
objdump -p "$root"/usr/$libdir/libinfolio.so.*.*.* | grep -q "SONAME *libinfolio\.so\.$major\$" ||
  fail "libinfolio's SONAME does not carry major $major"
depends=$(dpkg-deb -f "$out"/lumora_*.deb Depends)
for dep in "libcorvane$major (" "libinfolio$major (" libc6 libqt6widgets6 libcups2; do
  [[ $depends == *"$dep"* ]] || fail "lumora does not depend on $dep: $depends"
done
[[ $(dpkg-deb -f "$out"/libcorvane-dev_*.deb Depends) == *"libcorvane$major ("* ]] ||
  fail "libcorvane-dev does not depend on libcorvane$major"
conffiles=$(dpkg-deb -I "$out"/lumora_*.deb conffiles)
for file in /etc/lumora/lumora.ini /etc/corvane/registry.reg; do
  [[ -f $root$file && $conffiles == *"$file"* ]] || fail "$file missing or not a conffile"
done

# The programs find the unpacked libraries, never the build tree's or the
# system's: with LD_LIBRARY_PATH unset, their run path ($ORIGIN/../lib...)
# names the root's library folder, which ldd must show for our libraries.
for prog in lumora-cli lumora; do
  exe=$root/usr/bin/$prog
  # No display and no Qt platform: --version must answer before either is needed.
  version=$(env -i "$exe" --version 2>&1)
  [[ $version =~ ^$prog\ \(Lumora\)\ [0-9]+,\ [0-9]+,\ [0-9]+,\ [0-9]+$ ]] ||
    fail "$prog --version: $version"
  # dpkg, the metainfo's release and --version name the same release.
  release=$(sed 's/.*) //; s/, /./g' <<<"$version")
  [[ $(dpkg-deb -f "$out"/lumora_*.deb Version) == "$release" ]] ||
    fail "package version $(dpkg-deb -f "$out"/lumora_*.deb Version), $prog: $release"
  grep -q "<release version=\"$release\"" "$root"/usr/share/metainfo/*.metainfo.xml ||
    fail "the metainfo has no release $release"
  libs=$(env -i ldd "$exe")
  ours=(corvane)
  [[ $prog == lumora ]] && ours+=(infolio)
  for lib in "${ours[@]}"; do
    loaded=$(sed -n "s/.*lib$lib\.so\.$major => \(.*\) (0x.*/\1/p" <<<"$libs")
    [[ -n $loaded && $(realpath "$loaded") == "$(realpath "$root/usr/$libdir")/lib$lib.so."* ]] ||
      fail "$prog does not load the unpacked lib$lib: $libs"
  done
  [[ $libs != *"not found"* && $libs != *"$build/lib/"* ]] || fail "$prog: $libs"
  readelf -d "$exe" | grep -q "$build" && fail "$prog has a run path into $build"
done

# Only the public classes are exported.
for lib in corvane infolio; do
  header_classes=$(grep -ho "class ${lib^^}_EXPORT [A-Za-z0-9_]*" "$root/usr/include/$lib"/*.h |
    awk '{print $3}' | sort -u)
  nm -D --defined-only "$root"/usr/$libdir/lib$lib.so.*.*.* | c++filt |
    sed -n 's/^[0-9a-f]* [TWVDBR] \(typeinfo name for \|typeinfo for \|vtable for \)\{0,1\}\([A-Za-z_][A-Za-z0-9_]*\)::.*/\2/p' |
    sort -u >"$out/$lib.classes"
  while read -r class; do
    grep -qx "$class" <<<"$header_classes" || [[ $class == corvane ]] ||
      fail "lib$lib exports the internal class $class"
  done <"$out/$lib.classes"
  nm -D --defined-only "$root"/usr/$libdir/lib$lib.so.*.*.* | c++filt |
    grep -Eq '^[0-9a-f]+ [A-Za-z] ((typeinfo (name )?|vtable )for )?corvane::detail::' &&
    fail "lib$lib exports corvane::detail"
done

# Manual pages render without a warning.
pages=("$root"/usr/share/man/man1/*.1.gz)
[[ ${#pages[@]} -eq 4 ]] || fail "manual pages: ${pages[*]}"
for page in "${pages[@]}"; do
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "$page: $warnings"
done

# The manual pages describe every option of lumora-cli and every INI key.
rendered() { MANWIDTH=200 man -l "$root/usr/share/man/man1/$1.1.gz" 2>/dev/null | col -b; }
cli_page=$(rendered lumora-cli)
ini_page=$(rendered lumora)
for key in $(sed -n 's/^\([A-Za-z]\+\)=.*/\1/p' "$root/etc/lumora/lumora.ini"); do
  [[ $ini_page == *"$key"* ]] || fail "lumora(1) does not name the key $key"
done

# Desktop entry, metainfo and the icons they name.
desktop=$root/usr/share/applications/lumora.desktop
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
grep -v ' hint: ' <<<"$report" | grep -q . && fail "desktop-file-validate: $report"
[[ -x $root/usr/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop") ]] || fail "Exec does not name lumora"
report=$(appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml 2>&1) ||
  fail "appstreamcli: $report"
[[ -f $root/usr/share/icons/hicolor/scalable/apps/lumora.svg ]] || fail "no scalable icon"
for size in 16 32 48 128 256; do
  file "$root/usr/share/icons/hicolor/${size}x$size/apps/lumora.png" |
    grep -q "PNG image data, $size x $size" || fail "no ${size}x$size icon"
done

# Completion: every option of every subcommand's --help, interfaces, queues.
complete_words() {
  bash -c 'source /usr/share/bash-completion/bash_completion; source "$1"; shift
           COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
           _lumora_cli; printf "%s\n" "${COMPREPLY[@]}"' _ \
    "$root/usr/share/bash-completion/completions/lumora-cli" lumora-cli "$@"
}
registered=$(bash -c 'source "$1"; complete -p lumora-cli' _ \
  "$root/usr/share/bash-completion/completions/lumora-cli" 2>&1)
[[ $registered == "complete -F _lumora_cli lumora-cli" ]] || fail "complete -p: $registered"
cli=(env -i LD_LIBRARY_PATH="$root/usr/$libdir" "$root/usr/bin/lumora-cli")
commands=$(complete_words "")
for command in $("${cli[@]}" --help | sed -n '/^Subcommands:/,/^$/s/^  \([a-z]\+\) .*/\1/p'); do
  grep -qx "$command" <<<"$commands" || fail "completion lacks the subcommand $command"
  [[ $command == help ]] && continue
  [[ $cli_page == *"$command"* ]] || fail "lumora-cli(1) does not describe $command"
  offered=$(complete_words "$command" --)
  for option in $("${cli[@]}" "$command" --help | grep -o '^  \(-h,\)\{0,1\}--[a-z-]*' | sed 's/.*--/--/'); do
    grep -qx -- "$option" <<<"$offered" || fail "completion of $command lacks $option"
    [[ $cli_page == *"$option"* ]] || fail "lumora-cli(1) does not describe $command $option"
  done
done
ifaces=$(complete_words discover --iface "")
grep -qx all <<<"$ifaces" && ! grep -qx lo <<<"$ifaces" || fail "--iface offers: $ifaces"
bin=$(mktemp -d)
printf '#!/bin/sh\necho Front_Desk\necho Back_Office\n' >"$bin/lpstat"
chmod +x "$bin/lpstat"
queues=$(PATH="$bin:$PATH" complete_words status F)
rm -rf "$bin"
[[ $queues == Front_Desk ]] || fail "status queue completion: $queues"

[[ $failures -eq 0 ]] && echo "installed programs: all checks passed"
exit $((failures > 0))
