#!/usr/bin/env bash
# Opens a game file the way a file manager does: through the installed desktop entry and the
# file type it registers, on a virtual display with a window manager (twm). The build is
# installed into a scratch folder with a home of its own; the script prints the file's type, the
# program the desktop chose, the window's title and the command line it was started with, and
# fails unless the game file reached the window program.
# Usage: xvfb-run -a scripts/desktop-open.sh <build folder> <scratch folder> <game.ml>
set -euo pipefail
build=$(realpath "$1")
ordner=$2
partie=$3
rm -rf "$ordner"
mkdir -p "$ordner/heim"
ordner=$(realpath "$ordner")
export HOME=$ordner/heim XDG_CONFIG_HOME=$ordner/heim/.config XDG_DATA_HOME=$ordner/heim/.local/share
export XDG_DATA_DIRS=$ordner/praefix/share:/usr/share
export PATH=$ordner/praefix/bin:$PATH
cmake --install "$build" --prefix "$ordner/praefix" >/dev/null
update-mime-database "$ordner/praefix/share/mime"
# What the desktop's package triggers do for an installed package.
update-desktop-database "$ordner/praefix/share/applications"
cp "$partie" "$ordner/heim/Meine Partie.ml"

twm >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT

datei="$ordner/heim/Meine Partie.ml"
typ=$(gio info -a standard::content-type "$datei" | awk '/content-type/ {print $2}')
# Every reader takes its whole input: an early end would fail the pipe.
programm=$(gio mime application/x-quarne-partie | sed -n 1p)
echo "Typ: $typ"
echo "Programm: $programm"
[ "$typ" = application/x-quarne-partie ] || { echo "falscher Typ" >&2; exit 1; }
case $programm in *tarvolin.desktop*) ;; *) echo "falsches Programm" >&2; exit 1 ;; esac
gio open "$datei"

fenster=
for _ in $(seq 1 100); do
  fenster=$(xwininfo -root -tree | awk '/"Tarvolin 2.5.2": \(/ && !f {print $1; f = 1}')
  [ -n "$fenster" ] && break
  sleep 0.2
done
if [ -z "$fenster" ]; then
  echo "kein Fenster" >&2
  exit 1
fi
pid=$(xprop -id "$fenster" _NET_WM_PID | awk '{print $3}')
aufruf=$(tr '\0' '|' </proc/"$pid"/cmdline)
echo "Fenster: $(xprop -id "$fenster" WM_NAME)"
programm=$(readlink /proc/"$pid"/exe)
echo "Aufruf: $aufruf ($programm)"
kill "$pid"
[ "$programm" = "$ordner/praefix/bin/quarne" ] || { echo "ein anderes Programm" >&2; exit 1; }
[ "${aufruf#*|}" = "$datei|" ] || { echo "die Datei kam nicht an" >&2; exit 1; }
