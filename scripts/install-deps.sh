#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the editor need,
# only when one is missing. Uses sudo when not running as root.
# fonts-urw-base35 stands in for Arial, Times New Roman and Courier New;
# qt6-translations-l10n puts Qt's own dialogs and buttons in Japanese;
# emf2svg and libwmf-bin let the tests read the exported metafiles back,
# librsvg2-bin rasterises SVG for them (Inkscape is used when present) and
# renders the icon's PNG sizes; desktop-file-utils, appstream,
# shared-mime-info, man-db and lintian validate what the install puts in
# place, file and dpkg-dev let cpack find the package's dependencies;
# libdxflib-dev writes and reads DXF, python3-ezdxf reads it back in the tests.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev
  libgif-dev libxxhash-dev
  fonts-ipafont fonts-ipaexfont fonts-urw-base35
  xvfb xauth imagemagick
  emf2svg libwmf-bin librsvg2-bin
  desktop-file-utils appstream shared-mime-info man-db lintian file dpkg-dev
  libdxflib-dev python3-ezdxf
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if [ -z "$(ls -A /var/lib/apt/lists 2>/dev/null | grep -v -e lock -e partial)" ]; then
  $SUDO apt-get update -qq
fi
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || {
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
