#!/usr/bin/env bash
# Installs the build into a temporary folder as a package would lay it out, then runs the
# installed program and reads a turn results file through the installed reader.
#   check-install.sh BUILD-FOLDER READER-TEST VERSION
set -euo pipefail
build=$1
reader_test=$2
version=$3
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null

printed=$("$dest/usr/bin/vfturn" --version)
if [ "$printed" != "VF Turn Entry $version" ]; then
    echo "the installed program says: $printed" >&2
    exit 1
fi
VFTURN_INSTALLED_PROGRAM_FOLDER="$dest/usr/bin" "$reader_test"
desktop-file-validate "$dest/usr/share/applications/org.vfturn.VFTurnEntry.desktop"
appstreamcli validate --no-net "$dest/usr/share/metainfo/org.vfturn.VFTurnEntry.metainfo.xml"
for icon in scalable/apps/org.vfturn.VFTurnEntry.svg 48x48/apps/org.vfturn.VFTurnEntry.png \
            256x256/apps/org.vfturn.VFTurnEntry.png; do
    test -s "$dest/usr/share/icons/hicolor/$icon" || { echo "no icon $icon" >&2; exit 1; }
done
# The user's guide the Help menu shows is installed with every picture it shows.
guide="$dest/usr/share/doc/vfturn"
test -s "$guide/README.md" || { echo "no user's guide" >&2; exit 1; }
grep -o '](docs/[^)]*)' "$guide/README.md" | sed 's/^](//; s/)$//' | while read -r picture; do
    test -s "$guide/$picture" || { echo "the user's guide shows $picture, not installed" >&2; exit 1; }
done
echo "1 passed, 0 failed"
