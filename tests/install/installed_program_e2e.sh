#!/usr/bin/env bash
# Starts the installed program from an unrelated folder, with HOME and XDG_DATA_HOME in a
# temporary folder: the per-user folder, its empty comment database and, after Save Config,
# Path.txt appear there and nowhere else, and a second start keeps them. Runs under xvfb-run
# with a session bus, driving the program through the accessibility interface.
set -euo pipefail
prefix=$1
driver="/usr/bin/python3 $(dirname "$0")/../e2e/atspi_driver.py"
work=$(mktemp -d)
pid=
cleanup() { if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$work/home" "$work/data" "$work/elsewhere" "$work/runtime"
chmod 700 "$work/runtime"
user=$work/data/shelvana

start() {
  (cd "$work/elsewhere" && HOME=$work/home XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime \
     QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$prefix/bin/shelvana" >> "$work/program.log" 2>&1) &
  pid=$!
}
press() { $driver press "$pid" "$1" "$2" || fail "could not press $2 on the $1 tab: $(cat "$work/program.log")"; }
# Ends the program with its Exit button and waits for it to be gone.
exit_program() {
  press Config Exit
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end after Exit"
  wait "$pid" || fail "the program ended with an error: $(cat "$work/program.log")"
  pid=
}
comments() {
  python3 -c 'import sqlite3, sys; print(sqlite3.connect(sys.argv[1]).execute("SELECT File FROM Table1").fetchall())' "$1"
}
# The program's files anywhere under the temporary folder.
program_files() { (cd "$work" && find . \( -name Path.txt -o -name db25.mdb -o -name Links.txt \) -printf '%P\n' | sort); }
expect_files() { [ "$(program_files)" = "$(printf '%s\n' "$@")" ] || fail "program files: $(program_files | tr '\n' ' ')"; }

start
press Config "Save Config"
for _ in $(seq 50); do [ -f "$user/Path.txt" ] && break; sleep 0.1; done
exit_program
expect_files data/shelvana/Path.txt data/shelvana/db25.mdb
[ "$(comments "$user/db25.mdb")" = "[]" ] || fail "the seeded database is not empty"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "the start folder was written to: $(ls -A "$work/elsewhere")"

# What the user keeps there survives the next start.
python3 -c 'import sqlite3, sys; c = sqlite3.connect(sys.argv[1]); c.execute("INSERT INTO Table1 (File) VALUES (?)", ("kept.epub",)); c.commit()' "$user/db25.mdb"
cp "$user/Path.txt" "$work/settings.saved"
start
exit_program
[ "$(comments "$user/db25.mdb")" = "[('kept.epub',)]" ] || fail "the comments were not kept: $(comments "$user/db25.mdb")"
cmp -s "$user/Path.txt" "$work/settings.saved" || fail "the settings were not kept"
expect_files data/shelvana/Path.txt data/shelvana/db25.mdb
echo "PASS: the per-user folder is made on first start and kept"
