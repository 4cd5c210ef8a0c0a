#!/usr/bin/env bash
# Installs the Debian packages Hygrova needs to build, run and test, packaging and Wayland
# included; HYGROVA_WITH_FUZZ=1 adds clang for the fuzzers, HYGROVA_WITH_WINDOWS=1 the
# mingw-w64 cross compiler, GoogleTest's sources and wine for the Windows build of the core,
# HYGROVA_WITH_WINDOW_MANAGERS=1 the window managers of KDE (KWin with its Breeze frames),
# Xfce (xfwm4) and GNOME (mutter), under which the deeper checks run the real program.
# Runs apt-get directly as root, through sudo otherwise; does nothing when all are present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config locales
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev qt6-svg-dev libisal-dev libxcb1-dev
  fonts-wqy-microhei fonts-dejavu-core fonts-arphic-uming
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev help2man time
  xvfb xauth x11-utils x11-apps xdotool imagemagick openbox wmctrl poppler-utils
  weston qt6-wayland
  dpkg-dev desktop-file-utils appstream lintian shared-mime-info
)
if [ "${HYGROVA_WITH_FUZZ:-0}" = 1 ]; then
  packages+=(clang libclang-rt-dev)
fi
if [ "${HYGROVA_WITH_WINDOW_MANAGERS:-0}" = 1 ]; then
  packages+=(kwin-x11 kwin-style-breeze xfwm4 mutter dbus)
fi
if [ "${HYGROVA_WITH_WINDOWS:-0}" = 1 ]; then
  packages+=(g++-mingw-w64-x86-64-posix googletest wine wine64)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "These Debian packages are missing: ${missing[*]}" >&2
  echo "Install them as root (apt-get install ${missing[*]}) and run this command again." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
