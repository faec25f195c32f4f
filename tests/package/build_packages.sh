#!/bin/sh
# Builds the Debian packages from the build tree (what `make package` does)
# into OUT and unpacks every one of them into OUT/root.
#   build_packages.sh BUILD_DIR OUT
set -eu
build=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
  cat "$out/cpack.log" >&2
  exit 1
}
rm -rf "$out/_CPack_Packages"
for deb in "$out"/*.deb; do
  dpkg-deb -x "$deb" "$out/root"
done
ls "$out"/*.deb
