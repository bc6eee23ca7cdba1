#!/bin/sh
# Installs what the build needs (Debian 12 packages, only those missing; the
# arguments name further packages), then configures and builds into build/.
# With --no-build as the first argument it only installs.
set -e
cd "$(dirname "$0")/.."
build=yes
if [ "${1:-}" = "--no-build" ]; then
  build=no
  shift
fi

# fonts-liberation2: "Liberation Sans" has Arial's widths, which the reports were laid out in.
# fonts-dejavu-core: the desktop's sans-serif face for the windows; without one
# a minimal system shows them in a monospaced face, too wide for their room.
PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libsqlite3-dev libgl-dev poppler-utils xdg-utils qt6-translations-l10n fonts-liberation2 fonts-dejavu-core"
missing=""
for p in $PACKAGES "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
  $SUDO apt-get update
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi

[ "$build" = yes ] || exit 0
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel
