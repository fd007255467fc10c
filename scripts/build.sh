#!/usr/bin/env bash
# Configures and builds into build/ (Ninja, all cores). With ccache installed (setup.sh
# installs it) unchanged sources are not compiled again, also across checkouts.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$root")}"
    # Precompiled headers are safe to share under these relaxations.
    export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build "$root/build" -- "$@"
