#!/usr/bin/env bash
# Installs the Debian packages Orvan needs to build and run (and, with
# --tests, to run its tests). Uses sudo when not run as root.
set -euo pipefail
# fonts-dejavu-core and fonts-symbola: glyphs for names in every script and
# for emoji on screen and in print.
packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-multimedia-dev libgl-dev
          firebird-dev libfbclient2 libssl-dev firebird3.0-server-core firebird3.0-utils fonts-dejavu-core
          qt6-translations-l10n libcap2-bin libical-dev
          fonts-symbola)
if [ "${1:-}" = "--tests" ]; then
  # python3: the relay process that cuts the connection in the reconnection tests.
  # khal: another calendar program reads the exported files.
  packages+=(libgtest-dev libgmock-dev firebird3.0-server clang-format python3 khal
            python3-dateutil)
fi
if [ "${1:-}" = "--bench" ]; then
  packages+=(libbenchmark-dev)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
