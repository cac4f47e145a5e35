#!/usr/bin/env bash
# Starts the program on a small collection, presses "Make List", waits for the three
# lists, presses "Done" and expects the list window to close, then Exit ends the program.
set -euo pipefail
build=$1
work=$(mktemp -d)
pid=
cleanup() { if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$work/books/SF" "$work/lists"
touch "$work/books/a.txt" "$work/books/SF/b.txt" "$work/books/SF/Tom & Jerry's <1>.txt"
printf '%s/books/\r\n%s/lists/\r\n 1 \r\n 1 \r\n 1 \r\nE2E Books\r\n 0 \r\n' "$work" "$work" > "$work/Path.txt"

cd "$work"   # the settings are read from the current directory
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$build/shelvana" > "$work/program.log" 2>&1 &
pid=$!
driver="/usr/bin/python3 $(dirname "$0")/atspi_driver.py"
$driver press "$pid" Utilities "Make List" || fail "could not press Make List"

for _ in $(seq 100); do
  [ -f lists/EBook.txt ] && [ -f lists/EBook.html ] && [ -f lists/EBookTree.html ] && break
  sleep 0.1
done
grep -q "^Files = 3" lists/EBook.txt || fail "text list without its total"
grep -q "<TR><TD>Tom & Jerry's &lt;1&gt;.txt</TD></TR>" lists/EBook.html || fail "table list entry"
grep -q "^Directories = 1</B>" lists/EBookTree.html || fail "tree list total"

window=
for _ in $(seq 50); do
  window=$(xdotool search --name "^Make Book List$" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no list window"
sleep 0.5   # "Done" shows once the run has ended
eval "$(xdotool getwindowgeometry --shell "$window")"
# "Done" sits in the bottom right corner of the window.
xdotool mousemove --window "$window" $((WIDTH - 50)) $((HEIGHT - 28)) click 1

for _ in $(seq 50); do
  xdotool search --name "^Make Book List$" >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --name "^Make Book List$" >/dev/null 2>&1 && fail "the list window stayed after Done"
$driver press "$pid" Utilities "Exit" || fail "could not press Exit"
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then fail "the program did not end after Exit"; fi
wait "$pid" || fail "the program ended with an error: $(cat "$work/program.log")"
pid=
echo "PASS: lists written, Done closed the program"
