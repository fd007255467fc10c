#!/usr/bin/env bash
# Starts a private PostgreSQL 15 cluster in a temporary folder and prints the
# environment for the tests: source <(scripts/pg-throwaway.sh start DIR); ... ; scripts/pg-throwaway.sh stop DIR
set -euo pipefail
cmd="$1"; dir="$2"
bin=/usr/lib/postgresql/15/bin
port="${KAVRA_TEST_PG_PORT:-55432}"
as_pg() {
    if [[ $(id -u) -eq 0 ]]; then runuser -u postgres -- "$@"; else "$@"; fi
}
case "$cmd" in
start)
    mkdir -p "$dir"
    if [[ $(id -u) -eq 0 ]]; then chown postgres "$dir"; fi
    as_pg "$bin/initdb" -D "$dir/data" -A trust -U postgres -E UTF8 >"$dir/initdb.log" 2>&1
    as_pg "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
        -o "-k $dir -p $port -c listen_addresses='' -c fsync=off -c max_connections=200" start >/dev/null
    echo "export KAVRA_TEST_PG_HOST=$dir KAVRA_TEST_PG_PORT=$port KAVRA_TEST_PG_USER=postgres"
    ;;
stop)
    as_pg "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$dir"
    ;;
esac
