#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what arrives there:
# exactly the expected files, a desktop entry, AppStream metadata, file type
# and manual pages that their validators accept, icons of the size their
# folder names, and installed programs that answer.
# Usage: install_test.sh BUILD_DIR EXPECTED_LIST APP_ID
set -euo pipefail
build=$1 expected=$2 app_id=$3
for tool in desktop-file-validate appstreamcli update-mime-database man identify; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps.sh)"; exit 77; }
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

diff -u <(sed "s/@APP_ID@/$app_id/" "$expected" | sort) <(cd "$prefix" && find . ! -type d | sed 's#^\./##' | sort)

desktop-file-validate "$prefix/share/applications/$app_id.desktop"
grep -qx 'Exec=mirt %f' "$prefix/share/applications/$app_id.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$app_id.metainfo.xml"

# The mime database builds from our package file without a complaint.
mime_errors=$(XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime" 2>&1)
[ -z "$mime_errors" ] || { echo "$mime_errors"; exit 1; }
grep -q '^application/x-mirt-drawing:\*\.mt$' "$prefix/share/mime/globs"

for page in "$prefix"/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
done

for png in "$prefix"/share/icons/hicolor/*/apps/mirt.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  [ "$(identify -format '%wx%h' "$png")" = "$size" ] || { echo "$png is not $size"; exit 1; }
done

"$prefix/bin/mirt" --version | grep -q '^mirt '
"$prefix/bin/mirt-export" --version | grep -q '^mirt-export '
echo "installed and valid: $(wc -l <"$expected") files"
