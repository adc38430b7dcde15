#!/usr/bin/env bash
# Renders the wooden stone pictures into assets/ (needs g++ and qt6-base-dev).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# shellcheck disable=SC2046
g++ -std=c++20 -O2 -fPIC -Wall -Wextra "$root/scripts/stone_pictures.cpp" \
  $(pkg-config --cflags --libs Qt6Gui) -o "$tmp/stone_pictures"
"$tmp/stone_pictures" "$root/assets"
