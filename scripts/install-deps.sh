#!/usr/bin/env bash
# Installs the Debian packages the build needs; does nothing when all are present.
set -euo pipefail

# qt6-translations-l10n gives Qt's own dialogs their German texts.
packages=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev qt6-translations-l10n
          fonts-dejavu-core fonts-liberation2)
# `install-deps.sh fuzz`: what `make fuzz` needs instead, clang with its libFuzzer runtime.
if [ "${1:-}" = fuzz ]; then packages=(cmake make clang libclang-rt-dev); fi
# `install-deps.sh format`: the formatter that CI checks every source with.
if [ "${1:-}" = format ]; then packages=(clang-format); fi
# `install-deps.sh package`: what `make package` needs besides the build, dpkg-shlibdeps and the
# `file` that CPack picks the programs out with.
if [ "${1:-}" = package ]; then packages=(dpkg-dev file); fi
# `install-deps.sh slurm`: the one-node cluster of scripts/slurm-local.sh and its test.
if [ "${1:-}" = slurm ]; then packages=(slurmctld slurmd slurm-client munge); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installiere fehlende Pakete: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
