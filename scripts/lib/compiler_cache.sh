# Sourced by scripts/test, scripts/fuzz and scripts/package from the top of the
# checkout. When ccache is installed, every build compiles through it, with its
# cache in the user's cache directory: a second run on the same machine (a CI
# run after a developer's own scripts/test, in a fresh clone elsewhere)
# compiles almost nothing. d7_launcher holds the CMake option to pass.
d7_launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_DIR=${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/ccache}
  # Paths inside the checkout are hashed relative to it, so a clone in another
  # folder finds what this one compiled.
  export CCACHE_BASEDIR=$PWD
  export CCACHE_NOHASHDIR=1
  # Precompiled headers are only cached with these; the timestamps are the
  # clone's, not the contents'.
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
  d7_launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
