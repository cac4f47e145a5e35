#!/usr/bin/env bash
# Runs lintian on the package that install_package_contents built into PACKAGE_DIR and fails
# on any error or warning (pedantic and informational tags are shown but allowed).
set -euo pipefail
package_dir=$1
if ! command -v lintian > /dev/null; then
  echo "SKIP: lintian is not installed (make test installs it)"
  exit 77
fi
deb=$(ls "$package_dir"/shelvana_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "FAIL: no package in $package_dir"; exit 1; }

report=$(lintian --display-info --pedantic --tag-display-limit 0 "$deb" 2>&1) || true
echo "$report"
if grep -q '^[EW]: ' <<< "$report"; then
  echo "FAIL: lintian reports errors or warnings on $(basename "$deb")"
  exit 1
fi
echo "PASS: lintian shows no error or warning on $(basename "$deb")"
