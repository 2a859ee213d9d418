#!/usr/bin/env bash
# Builds the Debian package as the README says (cpack -G DEB) into a
# temporary folder and checks it: the installed files under /usr, the
# Debian packages it depends on, and no lintian errors.
# Usage: package_test.sh BUILD_DIR EXPECTED_LIST APP_ID
set -euo pipefail
build=$1 expected=$2 app_id=$3
for tool in dpkg-shlibdeps file lintian; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps.sh)"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log") || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/mirt_*.deb)

diff -u <(sed "s#@APP_ID@#$app_id#; s#^#usr/#" "$expected" | sort) \
        <(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's#^\./##' | grep -v '/$' | sort)

# The libraries found by dpkg-shlibdeps and the packages named by hand.
depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libgif7 \
               fonts-ipafont-gothic fonts-ipafont-mincho qt6-image-formats-plugins; do
  grep -qx "$package" <<<"$names" || { echo "Depends lacks $package: $depends"; exit 1; }
done

# Errors fail the test; warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "package: $(basename "$deb"), Depends: $depends"
