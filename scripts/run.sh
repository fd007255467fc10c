#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kavra on the embedded SQLite databases.
# The company's data lives in $KAVRA_HOME (default ~/Kavra): DataBase/ and DB_BKUP/.
# Extra arguments go to the program, e.g. --server dbhost:5432 --db-user kavra --db-password secret
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" kavra vorlix
home="${KAVRA_HOME:-$HOME/Kavra}"
mkdir -p "$home"
exec "$root/build/bin/kavra" --dir "$home" "$@"
