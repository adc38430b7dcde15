#!/usr/bin/env bash
# Opens a game file the way a file manager does: through the installed desktop entry and the
# file type it registers, on a virtual display with a window manager. The build is installed
# into a scratch folder with a home of its own; the script prints which program the desktop
# chose, the command line it started, and the window's title, and saves a picture of the screen
# when ImageMagick can take one.
# Usage: xvfb-run -a scripts/desktop-oeffnen.sh <build folder> <scratch folder> <game.ml>
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

echo "Typ: $(gio info -a standard::content-type "$ordner/heim/Meine Partie.ml" | grep content-type)"
echo "Programm: $(gio mime application/x-quarne-partie | head -n 1)"
gio open "$ordner/heim/Meine Partie.ml"

fenster=
for _ in $(seq 1 100); do
  fenster=$(xwininfo -root -tree | awk '/"Tarvolin 2.5.2": \(/ {print $1; exit}')
  [ -n "$fenster" ] && break
  sleep 0.2
done
if [ -z "$fenster" ]; then
  echo "kein Fenster" >&2
  exit 1
fi
sleep 1  # the library is read and the game drawn
pid=$(xprop -id "$fenster" _NET_WM_PID | awk '{print $3}')
echo "Fenster: $(xprop -id "$fenster" WM_NAME)"
echo "Aufruf: $(tr '\0' ' ' </proc/"$pid"/cmdline)"
convert x:root "$ordner/bildschirm.png" 2>/dev/null && echo "Bild: $ordner/bildschirm.png"
kill "$pid"
