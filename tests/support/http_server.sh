#!/usr/bin/env bash
# Starts and stops the local server of the HTTP client's tests (a CTest
# fixture): http_server.py in the background, with a self-signed certificate
# made for the run, its ports written to <dir>/ports once it listens.
#
#   http_server.sh start|stop <dir>
set -uo pipefail
action="$1" dir="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# Running, and not just dead and waiting to be reaped (by whichever process
# took it over when the start script ended).
running() {
  local state
  state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null)
  [ -n "$state" ] && [ "$state" != Z ]
}

stop() {
  local pid
  pid=$(cat "$dir/pid" 2>/dev/null) || return 0
  kill "$pid" 2>/dev/null
  for _ in $(seq 1 50); do
    running "$pid" || break
    sleep 0.1
  done
  rm -f "$dir/pid"
}

case "$action" in
  stop)
    stop
    ;;
  start)
    stop  # one left by a run that was cut short
    rm -rf "$dir"
    mkdir -p "$dir" || exit 1
    for tool in python3 openssl; do
      command -v "$tool" >/dev/null || { echo "$tool is missing (Debian package $tool)" >&2; exit 1; }
    done
    # Right for the address the tests use, so that only its issuer is wrong:
    # itself, whom no system trusts.
    if ! openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=localhost \
      -addext subjectAltName=DNS:localhost,IP:127.0.0.1 \
      -keyout "$dir/key.pem" -out "$dir/cert.pem" >"$dir/openssl.log" 2>&1; then
      cat "$dir/openssl.log" >&2
      exit 1
    fi
    # Nothing of ours left on CTest's pipes: it waits for them to close.
    python3 "$here/http_server.py" "$dir" --cert "$dir/cert.pem" --key "$dir/key.pem" \
      </dev/null >"$dir/server.log" 2>&1 &
    echo $! >"$dir/pid"
    for _ in $(seq 1 100); do
      if [ -f "$dir/ports" ]; then
        cat "$dir/ports"
        exit 0
      fi
      running "$(cat "$dir/pid")" || break
      sleep 0.1
    done
    echo "the test server did not start:" >&2
    cat "$dir/server.log" >&2
    stop
    exit 1
    ;;
  *)
    echo "usage: $0 start|stop <dir>" >&2
    exit 2
    ;;
esac
