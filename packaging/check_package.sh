#!/usr/bin/env bash
# Builds the Debian package and checks what a user would get from it. With
# CI=true it also installs the package, runs it and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD_DIR:-build}
fail() { echo "package check: $*" >&2; exit 1; }

rm -f "$BUILD"/panscout_*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null)
deb=$(ls "$BUILD"/panscout_*.deb)
info=$(dpkg-deb -I "$deb")
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')

for file in usr/bin/panscout usr/bin/panscout-cli usr/bin/panscout-demo \
    usr/share/applications/panscout.desktop usr/share/metainfo/io.github.panscout.Panscout.metainfo.xml \
    usr/share/man/man1/panscout.1.gz usr/share/man/man1/panscout-cli.1.gz usr/share/man/man1/panscout-demo.1.gz \
    usr/share/doc/panscout/changelog.gz usr/share/doc/panscout/copyright \
    usr/share/icons/hicolor/48x48/apps/panscout.png usr/share/icons/hicolor/256x256/apps/panscout.png; do
  grep -qx "\./$file" <<<"$contents" || fail "$file is missing"
done
depends=$(sed -n 's/^ Depends: //p' <<<"$info")
for dep in libqt6webenginewidgets6 libqt6widgets6 libcurl4 fonts-noto-cjk xdg-utils; do
  grep -q "$dep" <<<"$depends" || fail "Depends lacks $dep: $depends"
done
desktop-file-validate packaging/panscout.desktop
appstreamcli validate --no-net packaging/io.github.panscout.Panscout.metainfo.xml >/dev/null
lint=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $lint"

if [ "${CI:-}" = true ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y "./$deb" >/dev/null
  hosts=$(mktemp)
  /usr/bin/panscout-demo --write-hosts "$hosts" >/dev/null &
  demo=$!
  trap 'kill $demo 2>/dev/null; rm -f "$hosts"' EXIT
  for _ in $(seq 50); do [ -s "$hosts" ] && break; sleep 0.1; done
  rows=$(/usr/bin/panscout-cli --hosts "$hosts" --source 115 '电影#7' 2>/dev/null | wc -l)
  [ "$rows" -eq 7 ] || fail "the installed panscout-cli listed $rows rows, not 7"
  DEBIAN_FRONTEND=noninteractive apt-get remove -y panscout >/dev/null
fi
echo "package check: $(basename "$deb") is complete"
