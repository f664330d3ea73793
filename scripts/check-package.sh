#!/usr/bin/env bash
# Builds the Debian package from a finished build (build-ci by default), unpacks it and checks what
# it holds: the files, the libraries it depends on, the tool running from the unpacked tree, and the
# desktop entry, software-centre description and manual pages as their validators read them, the
# players' guide as installed, and the whole package as lintian reads it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-ci}

if ! (cd "$build" && cpack -G DEB) >"$build/cpack.log" 2>&1; then
  cat "$build/cpack.log"
  exit 1
fi
deb=$(ls -t "$build"/kalvon_*.deb | head -n 1)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

for file in usr/bin/kalvon usr/bin/kalvon-cli usr/share/applications/kalvon.desktop \
            usr/share/metainfo/io.github.kalvon.Kalvon.metainfo.xml usr/share/mime/packages/kalvon-base.xml \
            usr/share/icons/hicolor/scalable/apps/kalvon.svg usr/share/man/man1/kalvon.1.gz \
            usr/share/man/man1/kalvon-cli.1.gz usr/share/doc/kalvon/copyright \
            usr/share/doc/kalvon/changelog.Debian.gz usr/share/doc/kalvon/user-guide.md \
            usr/share/doc/kalvon/images/main-window.png; do
  [ -f "$root/$file" ] || { echo "package: $file is missing from $deb" >&2; exit 1; }
done

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libicu; do
  grep -q "$library" <<<"$depends" || { echo "package: Depends lacks $library: $depends" >&2; exit 1; }
done

# The programs carry the release; the package's version adds its revision after a "-", and the
# changelog's latest entry is that version.
package_version=$(dpkg-deb -f "$deb" Version)
entry=$(zcat "$root/usr/share/doc/kalvon/changelog.Debian.gz" | head -n 1)
[[ "$entry" == "kalvon ($package_version) "* ]] ||
  { echo "package: the changelog's entry is not the package's version: $entry" >&2; exit 1; }
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$root/usr/share/doc/kalvon/copyright" || { echo "package: copyright is not machine-readable" >&2; exit 1; }

version=$("$root/usr/bin/kalvon-cli" --version)
[ "$version" = "kalvon-cli ${package_version%-*}" ] || { echo "package: $version" >&2; exit 1; }
"$build/generator/kalvon-genbase" --games 100 "$root/x.bdt" >/dev/null
(cd "$root" && usr/bin/kalvon-cli stat x.bdt - | grep -q '^Total: 100$') ||
  { echo "package: kalvon-cli stat does not count the 100 games" >&2; exit 1; }

# The installed guide is the players': no path that only a source tree or a build has, and every
# picture it shows beside it.
if grep -nE 'scripts/|build-|shared/|kalvon-ui-tools' "$root"/usr/share/doc/kalvon/*.md; then
  echo "package: the installed guide names the developers' files above" >&2
  exit 1
fi
while read -r picture; do
  [ -f "$root/usr/share/doc/kalvon/$picture" ] ||
    { echo "package: the guide shows $picture, which the package lacks" >&2; exit 1; }
done < <(grep -ohE '\]\([^)]+\.(png|svg|jpg)\)' "$root"/usr/share/doc/kalvon/*.md | sed -E 's/^\]\((.*)\)$/\1/')

appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.kalvon.Kalvon.metainfo.xml" >/dev/null
desktop-file-validate "$root/usr/share/applications/kalvon.desktop"
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "package: $page: $warnings" >&2; exit 1; }
done
# Debian's own checker: an error fails the package, warnings are shown.
if ! lintian --fail-on error --tag-display-limit 0 "$deb" >"$build/lintian.log" 2>&1; then
  cat "$build/lintian.log" >&2
  echo "package: lintian finds errors in $(basename "$deb")" >&2
  exit 1
fi
if [ -s "$build/lintian.log" ]; then
  cat "$build/lintian.log"
fi

echo "package: $(basename "$deb") holds both programs, their pages, the guide, copyright and changelog; Depends: Qt 6, ICU; lintian: no error"
