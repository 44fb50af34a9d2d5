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
if ! listening; then
  # The user is created through the embedded engine while no server holds the file.
  printf "create or alter user %s password '%s';\ngrant create database to user %s;\ncommit;\n" "$user" "$password" "$user" |
    isql-fb -q -user SYSDBA "$security" >/dev/null
  mkdir -p /run/firebird3.0
  /usr/sbin/fbguard -daemon -forever -pidfile /run/firebird3.0/firebird.pid
  for _ in $(seq 1 50); do
    listening && break
    sleep 0.2
  done
fi
listening || { echo "Firebird server did not start" >&2; exit 1; }
# When a server was already running, create the user through it.
printf "create or alter user %s password '%s';\ngrant create database to user %s;\ncommit;\n" "$user" "$password" "$user" |
  ISC_USER=SYSDBA ISC_PASSWORD=$(. /etc/firebird/3.0/SYSDBA.password; echo "$ISC_PASSWORD") \
  isql-fb -q "127.0.0.1:$security" >/dev/null 2>&1 || true
echo "Firebird server on 127.0.0.1:3050"
