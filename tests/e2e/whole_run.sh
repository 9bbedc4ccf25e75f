#!/usr/bin/env bash
# A run at a chosen local time: starts a copy of Orvando.exe under faketime
# (its clock runs on from there), with a settings file choosing an interval
# and the stand-in station, then runs the driver, which checks it from
# outside on the real clock.
#
# It runs on a desktop of its own, beside the other tests under Wine, which
# it would otherwise hold up for its two minutes and more: a private Xvfb, the
# prefix of its lane (build/wineprefix-faked-<lane>, made once) and its
# wineserver, started here on the real clock (the program started under
# faketime must not start one on the faked clock). The runs of a lane share
# its prefix, one at a time (CTest's lock "faked_desktop_<lane>").
# Usage: whole_run.sh ORVANDO_EXE STATION_EXE DRIVER_EXE WORK_DIR [WINE]
# Environment, all optional:
#   ORVANDO_E2E_START    the local time Orvando starts at (2026-12-07 10:14:50)
#   ORVANDO_E2E_OPTION   the interval option's index (0, "15 mn")
#   ORVANDO_E2E_STATION  "later": the station's folder is there but not its
#                        program, which the driver puts in place itself
#   ORVANDO_E2E_TOGETHER set: Orvando.exe sits beside the station's program,
#                        in the station's folder, as many owners have them
#   ORVANDO_E2E_STATION_MODE  the stand-in's modes ("normal,write-data": it
#                        records data as HeavyWeather does)
#   ORVANDO_E2E_ARGS     Orvando's command line ("/start"); it is then started
#                        from another folder than its own, as Windows does at
#                        sign-in
#   ORVANDO_E2E_SIGNAL   a path on the local test server (its ports in
#                        ORVANDO_HTTP_SERVER_DIR): Orvando.ini names it as the
#                        signal of life's address
#   ORVANDO_E2E_LANE     its lane, a or b (a)
#   GTEST_FILTER         which of the driver's scenarios runs
set -uo pipefail
orvando_exe="$1" station_exe="$2" driver_exe="$3" work="$4" wine="${5:-wine}"
start="${ORVANDO_E2E_START:-2026-12-07 10:14:50}" option="${ORVANDO_E2E_OPTION:-0}"

command -v faketime >/dev/null || { echo "faketime is missing (Debian package faketime)" >&2; exit 1; }

source "$(dirname "$0")/../../scripts/common.sh"
start_display private || exit 1
trap 'stop_wineserver; stop_display' EXIT
ensure_prefix "$ROOT/build/wineprefix-faked-${ORVANDO_E2E_LANE:-a}" >/dev/null
start_wineserver

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

station="$work/Station meteo" program="$work"
[ -n "${ORVANDO_E2E_TOGETHER:-}" ] && program="$station"
rm -rf "$work"
mkdir -p "$station" || exit 1
cp "$orvando_exe" "$program/Orvando.exe" || exit 1
if [ "${ORVANDO_E2E_STATION:-}" != later ]; then
  cp "$station_exe" "$station/heavy weather.exe" || exit 1
fi
printf '"NE PAS MODIFIER CE FICHIER","Orvando station meteo ws-2300 ZR"\r\n"%s",%d\r\n' \
  "$(winpath "$station")" "$option" >"$program/Orvando.cfg"

if [ -n "${ORVANDO_E2E_SIGNAL:-}" ]; then
  port=$(awk '$1 == "http" { print $2 }' "$ORVANDO_HTTP_SERVER_DIR/ports" 2>/dev/null)
  [ -n "$port" ] || { echo "the test server is not running" >&2; exit 1; }
  # A name of this run's own: the server keeps each request under its name.
  signal="$ORVANDO_E2E_SIGNAL-$$"
  printf '[SignalDeVie]\r\nAdresse=http://127.0.0.1:%s%s\r\n' "$port" "$signal" \
    >"$program/Orvando.ini"
  export ORVANDO_E2E_SIGNAL_RECORD="$(winpath "$ORVANDO_HTTP_SERVER_DIR/records/${signal##*/}")"
  # Wine's WinHTTP takes these for the system's proxy.
  unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
fi

# Orvando passes these on to the station it starts.
export ORVANDO_STATION_LOG="$(winpath "$work/station.log")"
export ORVANDO_STATION_MODE="${ORVANDO_E2E_STATION_MODE:-normal,write-data}"
export ORVANDO_STATION_LIFETIME_MS=200000
export ORVANDO_E2E_FOLDER="$(winpath "$work")"
export ORVANDO_E2E_PROGRAM_FOLDER="$(winpath "$program")"

args=()
[ -n "${ORVANDO_E2E_ARGS:-}" ] && args=($ORVANDO_E2E_ARGS)
if [ ${#args[@]} -gt 0 ]; then cd / || exit 1; else cd "$program" || exit 1; fi
# Without NO_FAKE_STAT, Wine sees its own files' dates move and rebuilds the
# prefix at every start.
NO_FAKE_STAT=1 faketime "$start" "$wine" "$program/Orvando.exe" "${args[@]}" \
  </dev/null >"$work/orvando.out" 2>&1 &
faked=$!

"$wine" "$driver_exe"
status=$?

# The driver quits Orvando (or ends it by force); give its Unix side a moment
# to go, then end whatever of ours is left, by process id.
for _ in $(seq 1 100); do kill -0 "$faked" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$faked" 2>/dev/null; then
  echo "Orvando under faketime did not end; stopping it" >&2
  for child in $(pgrep -P "$faked"); do kill "$child" 2>/dev/null; done
  kill "$faked" 2>/dev/null
  status=1
fi
wait "$faked" 2>/dev/null

[ $status -eq 0 ] && rm -rf "$work"
exit $status
