#!/usr/bin/env bash
# Makes sure a Firebird server on 127.0.0.1 serves the tests that need two
# processes, with the tests' user able to create databases. A server that is
# already running is used as it is when that user works through it; otherwise
# the script stops with a message. It never stops or restarts a server: on a
# machine that serves an office, the office's database stays up. When nothing
# listens, it starts a server (left running for later runs). Safe to run again.
set -euo pipefail
user=${ORVAN_DB_USER:-orvan}
password=${ORVAN_DB_PASSWORD:-qelmo.}
port=${ORVAN_FB_PORT:-3050}
security=/var/lib/firebird/3.0/system/security3.fdb

listening() { (exec 3<>/dev/tcp/127.0.0.1/"$port") 2>/dev/null; }

# True when the tests' user can create and drop a database through the server.
user_works() {
  local dir status=0
  dir=$(mktemp -d /tmp/orvan-server-probe.XXXXXX)
  chmod 777 "$dir" # the server writes the file as its own user
  printf "create database '127.0.0.1/%s:%s/probe.fdb' user '%s' password '%s';\ndrop database;\n" \
    "$port" "$dir" "$user" "$password" | timeout 30 isql-fb -q >/dev/null 2>&1 || status=1
  rm -rf "$dir"
  return $status
}

mkdir -p /tmp/firebird
if listening; then
  if user_works; then
    echo "Firebird server on 127.0.0.1:$port (already running)"
    exit 0
  fi
  cat >&2 <<EOF
A server listens on 127.0.0.1:$port, but the test user "$user" cannot create
databases through it. It is left running. Either add the user to that server
(as its administrator: create user $user password '$password'; grant create
database to user $user;), or stop that server yourself and run this script
again to start one for the tests.
EOF
  exit 1
fi

if [ "$port" != 3050 ]; then
  echo "Nothing listens on 127.0.0.1:$port; a server is started here only on port 3050." >&2
  exit 1
fi
# The user is created through the embedded engine while no server holds the file.
printf "create or alter user %s password '%s';\ngrant create database to user %s;\ncommit;\n" "$user" "$password" "$user" |
  isql-fb -q -user SYSDBA "$security" >/dev/null
mkdir -p /run/firebird3.0
/usr/sbin/fbguard -daemon -forever -pidfile /run/firebird3.0/firebird.pid
for _ in $(seq 1 50); do
  listening && break
  sleep 0.2
done
listening || { echo "Firebird server did not start" >&2; exit 1; }
echo "Firebird server on 127.0.0.1:$port"
