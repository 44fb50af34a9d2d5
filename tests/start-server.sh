#!/usr/bin/env bash
# Starts a local Firebird server on 127.0.0.1:3050 for the tests that need two
# processes, unless one is already listening, and makes sure its database user
# exists. Safe to run again.
set -euo pipefail
user=${ORVAN_DB_USER:-orvan}
password=${ORVAN_DB_PASSWORD:-qelmo.}
security=/var/lib/firebird/3.0/system/security3.fdb

listening() { (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; }

mkdir -p /tmp/firebird
# A server started elsewhere (by the package's own service) may lack our user and
# its right to create databases: restart it as ours.
if listening && [ ! -f /run/firebird3.0/orvan-tests ]; then
  pkill -x fbguard || true
  pkill -x firebird || true
  for _ in $(seq 1 50); do listening || break; sleep 0.2; done
fi
if ! listening; then
  # The user is created through the embedded engine while no server holds the file.
  printf "create or alter user %s password '%s';\ngrant create database to user %s;\ncommit;\n" "$user" "$password" "$user" |
    isql-fb -q -user SYSDBA "$security" >/dev/null
  mkdir -p /run/firebird3.0
  /usr/sbin/fbguard -daemon -forever -pidfile /run/firebird3.0/firebird.pid
  touch /run/firebird3.0/orvan-tests
  for _ in $(seq 1 50); do
    listening && break
    sleep 0.2
  done
fi
listening || { echo "Firebird server did not start" >&2; exit 1; }
echo "Firebird server on 127.0.0.1:3050"
