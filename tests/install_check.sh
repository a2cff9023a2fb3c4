#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
# SPDX-License-Identifier: MIT
# Installs the build into a staging folder under an odd prefix, checks that every file
# is in place, and validates the desktop entry and the AppStream metainfo.
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR="$stage" cmake --install "$build" --prefix /opt/odd-prefix >/dev/null
root="$stage/opt/odd-prefix"
id=org.collatzexperiment.Collatz
for file in bin/collatz share/collatz/pinpon.wav share/collatz/endpinpon.wav \
    "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
    "share/icons/hicolor/32x32/apps/$id.png" "share/icons/hicolor/128x128/apps/$id.png"; do
    [ -s "$root/$file" ] || { echo "missing: $file"; exit 1; }
done
[ -x "$root/bin/collatz" ] || { echo "bin/collatz is not executable"; exit 1; }

desktop="$root/share/applications/$id.desktop"
grep -qx 'Name=３ｘ＋１の問題' "$desktop" || { echo "wrong Name"; exit 1; }
grep -qx 'Categories=Education;Math;' "$desktop" || { echo "wrong Categories"; exit 1; }
grep -qx "Icon=$id" "$desktop" || { echo "wrong Icon"; exit 1; }
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml"
echo "installed and valid"
