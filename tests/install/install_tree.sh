#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR under /usr/local and checks the installed files:
# exactly the expected set, entry points that reach the programs, an empty database template.
set -euo pipefail
build=$1 root=$2 expected=$3
prefix=$root/usr/local
fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$root"
mkdir -p "$root"
DESTDIR=$root cmake --install "$build" --prefix /usr/local --strip > "$root/install.log" 2>&1 ||
  fail "install: $(cat "$root/install.log")"

actual=$(cd "$prefix" && find . -type f -printf '%P\n' -o -type l -printf '%P -> %l\n' | LC_ALL=C sort)
diff -u <(LC_ALL=C sort "$expected") <(echo "$actual") || fail "installed files differ from $expected"

for program in shelvana shelvana-listrun shelvana-names; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program does not reach an executable"
done
# The template is empty even when the build folder's own database holds comments.
python3 - "$prefix/lib/shelvana/db25.mdb" <<'PY' || fail "the database template is not an empty comment table"
import sqlite3, sys
rows = sqlite3.connect(sys.argv[1]).execute("SELECT COUNT(*) FROM Table1").fetchone()[0]
sys.exit(rows != 0)
PY
echo "PASS: installed file set"
