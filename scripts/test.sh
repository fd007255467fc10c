#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: the domain tests on
# SQLite and on a throw-away PostgreSQL server, then the screen tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh" --tests
bash "$root/scripts/build.sh"
if [[ -z "${KAVRA_TEST_PG_HOST:-}" ]]; then
    pgdir="$(mktemp -d /tmp/kavra-pg.XXXXXX)"
    trap 'bash "$root/scripts/pg-throwaway.sh" stop "$pgdir"' EXIT
    eval "$(bash "$root/scripts/pg-throwaway.sh" start "$pgdir")"
fi
export KAVRA_TEST_PG_REQUIRED=1 QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure -j2 --timeout 600
