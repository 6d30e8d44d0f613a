#!/usr/bin/env bash
# Installs the build into a staging prefix and into a Debian package, unpacks
# the package into an empty root (after lintian has checked it), and runs both
# programs from there: the command-line tool's help, and the editor on the sample game until its first
# painted map (offscreen), with a home directory of its own.
#   package_install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# cmake --install lays out what the package holds.
cmake --install "$build" --prefix "$work/staging" >/dev/null
for f in bin/d7irir bin/d7irir-cli share/d7irir/names.txt \
         share/applications/org.d7irir.D7Irir.desktop \
         share/metainfo/org.d7irir.D7Irir.metainfo.xml \
         share/icons/hicolor/scalable/apps/org.d7irir.D7Irir.svg \
         share/icons/hicolor/256x256/apps/org.d7irir.D7Irir.png \
         share/man/man1/d7irir-cli.1.gz share/doc/d7irir/copyright \
         share/doc/d7irir/changelog.gz; do
  [ -e "$work/staging/$f" ] || { echo "cmake --install did not install $f"; exit 1; }
done

(cd "$build" && cpack --config CPackConfig.cmake -B "$work/pkg" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/pkg/d7irir_*.deb)
dpkg-deb --field "$deb" Depends | grep -q libqt6widgets6 ||
  { echo "the package does not depend on Qt's widgets library"; exit 1; }
# Debian's own checker finds no error and no warning in it. Its note that it
# runs as root (as CI does) is not about the package.
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || true
if grep -v -E '^running with root privileges' "$work/lintian.log" | grep -q .; then
  echo "lintian on $(basename "$deb"):"; cat "$work/lintian.log"; exit 1
fi
dpkg -x "$deb" "$work/root"

"$work/root/usr/bin/d7irir-cli" --help | grep -q "make-sample"
mkdir -p "$work/home"
HOME="$work/home" XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen \
  "$work/root/usr/bin/d7irir" --game-dir "$build/sample-game" --quit-after-startup
# An installed editor keeps its files per user, never beside /usr/bin.
[ -d "$work/home/.local/share/d7irir" ] || { echo "no per-user data directory"; exit 1; }
[ ! -e "$work/root/usr/bin/D7Irir.ini" ] || { echo "wrote beside the program"; exit 1; }
echo "package installs and runs: $(basename "$deb")"
