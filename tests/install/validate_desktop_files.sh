#!/usr/bin/env bash
# The desktop entry and the AppStream description pass the desktop's own
# validators.
#   validate_desktop_files.sh SOURCE_DIR
set -euo pipefail
data="$1/data/desktop"
desktop-file-validate "$data/org.d7irir.D7Irir.desktop"
appstreamcli validate --no-net --explain "$data/org.d7irir.D7Irir.metainfo.xml"
echo "desktop entry and metainfo valid"
