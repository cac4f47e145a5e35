#!/usr/bin/env bash
# Builds the Debian package from the build folder into OUT and checks its fields and file list.
# The package stays in OUT for the lintian check.
set -euo pipefail
build=$1 expected=$2 out=$3
fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$out"
mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" > "$out/cpack.log" 2>&1 || fail "cpack: $(cat "$out/cpack.log")"
deb=$(ls "$out"/shelvana_2.5_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no shelvana_2.5_*.deb in: $(ls "$out")"

[ "$(dpkg-deb -f "$deb" Package)" = shelvana ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = 2.5 ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
for runtime in libqt6widgets6 libsqlite3-0 libqt6multimedia6 libqt6svg6 libquazip1-qt6-1 libpoppler-qt6-3; do
  grep -q "$runtime" <<< "$depends" || fail "$runtime missing from Depends: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for wanted in xdg-utils qt6-wayland; do
  grep -q "$wanted" <<< "$recommends" || fail "$wanted not recommended: $recommends"
done

# "-rwxr-xr-x root/root 1234 2026-01-01 00:00 ./usr/bin/x -> y" without folders, as "bin/x -> y".
actual=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); sub(/^\.\/usr\//, ""); print }' | LC_ALL=C sort)
diff -u <(LC_ALL=C sort "$expected") <(echo "$actual") || fail "packaged files differ from $expected"
echo "PASS: $(basename "$deb")"
