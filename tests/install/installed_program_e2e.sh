#!/usr/bin/env bash
# Starts the installed program from an unrelated folder, with HOME and XDG_DATA_HOME in a
# temporary folder: the per-user folder and its empty comment database appear there and
# nowhere else, and a second start keeps what the first one left. Runs under xvfb-run.
set -euo pipefail
prefix=$1
work=$(mktemp -d)
pid=
cleanup() { if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$work/home" "$work/data" "$work/elsewhere" "$work/runtime"
chmod 700 "$work/runtime"
user=$work/data/shelvana

# Starts the program and waits until it shows a window.
start() {
  (cd "$work/elsewhere" && HOME=$work/home XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime \
     QT_QPA_PLATFORM=xcb exec "$prefix/bin/shelvana" >> "$work/program.log" 2>&1) &
  pid=$!
  for _ in $(seq 100); do
    xdotool search --onlyvisible --pid "$pid" > /dev/null 2>&1 && return 0
    kill -0 "$pid" 2>/dev/null || fail "the program ended at start: $(cat "$work/program.log")"
    sleep 0.1
  done
  fail "no window after 10 s"
}
stop() { kill "$pid"; wait "$pid" 2>/dev/null || true; pid=; }
comments() {
  python3 -c 'import sqlite3, sys; print(sqlite3.connect(sys.argv[1]).execute("SELECT File FROM Table1").fetchall())' "$1"
}
# Where the program's files are, relative to the temporary folder.
program_files() { (cd "$work" && find . \( -name Path.txt -o -name db25.mdb -o -name Links.txt \) -printf '%P\n' | sort); }

start
stop
[ -d "$user" ] || fail "no per-user folder $user"
[ "$(comments "$user/db25.mdb")" = "[]" ] || fail "the seeded database is not empty"
[ "$(program_files)" = "data/shelvana/db25.mdb" ] || fail "files elsewhere: $(program_files)"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "the start folder was written to: $(ls -A "$work/elsewhere")"

# The user's data survives the next start.
python3 -c 'import sqlite3, sys; c = sqlite3.connect(sys.argv[1]); c.execute("INSERT INTO Table1 (File) VALUES (?)", ("kept.epub",)); c.commit()' "$user/db25.mdb"
printf '%s\r\n' "$work/books/" "$work/lists/" " 0 " " 0 " " 0 " "Kept" " 0 " > "$user/Path.txt"
cp "$user/Path.txt" "$work/Path.expected"
start
stop
[ "$(comments "$user/db25.mdb")" = "[('kept.epub',)]" ] || fail "the comments were not kept: $(comments "$user/db25.mdb")"
cmp -s "$user/Path.txt" "$work/Path.expected" || fail "the settings were not kept"
[ "$(program_files)" = "$(printf 'data/shelvana/Path.txt\ndata/shelvana/db25.mdb')" ] || fail "files elsewhere: $(program_files)"
echo "PASS: the per-user folder is made once and kept"
