# Shared by scripts/test, scripts/run and the other helpers: installing what
# is missing, building, and a private Wine with its own display.
# Source it; it defines functions and sets ROOT.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WINE_PREFIX_DIR="$ROOT/build/wineprefix"

# Debian packages the build, the tests and the demo need. The HTTP client's
# tests run a local server (python3) with a certificate made for the run
# (openssl); Wine speaks TLS through GnuTLS, which it only recommends.
ORVANDO_PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev googletest
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb x11-utils
  imagemagick faketime locales python3 openssl libgnutls30)

log() { printf '== %s\n' "$*"; }

install_missing() {
  local missing=()
  for p in "${ORVANDO_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "Missing packages. Run as root:" >&2
      echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
      exit 1
    fi
    log "installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
      "${missing[@]}" >/dev/null
  fi
  # Our users' Windows is French: the Windows-side tests run in fr_FR.
  if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
    if [ "$(id -u)" -eq 0 ]; then
      log "generating the fr_FR.UTF-8 locale"
      sed -i 's/^# *\(fr_FR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
      grep -q '^fr_FR.UTF-8 UTF-8' /etc/locale.gen || echo 'fr_FR.UTF-8 UTF-8' >>/etc/locale.gen
      locale-gen >/dev/null
    else
      echo "The fr_FR.UTF-8 locale is missing; as root: locale-gen fr_FR.UTF-8" >&2
    fi
  fi
}

build_preset() {
  local preset="$1"
  if [ ! -f "$ROOT/build/$preset/build.ninja" ]; then
    log "configuring $preset"
    cmake --preset "$preset" -S "$ROOT" >/dev/null || { rm -rf "$ROOT/build/$preset"; return 1; }
  fi
  log "building $preset"
  cmake --build --preset "$preset" -- -j"$(nproc)" | grep -vE '^\[[0-9]+/[0-9]+\] ' || true
  [ "${PIPESTATUS[0]}" -eq 0 ]
}

wine_env() {
  export WINEPREFIX="${WINEPREFIX:-$WINE_PREFIX_DIR}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
}

# Orvando.cfg as Orvando writes it: two lines, each ending CR LF, in the ANSI
# code page (1252 under Wine in English, French and other Western locales):
# the header, then HeavyWeather's folder as a Windows path and the interval's
# index.
ORVANDO_INTERVALS=("15 mn" "30 mn" "1 h" "3 h" "6 h")
write_settings_file() {  # file, Windows folder, interval index
  local folder
  if ! folder=$(printf '%s' "$2" | iconv -f UTF-8 -t CP1252 2>/dev/null); then
    echo "the folder $2 can't be spelled in the ANSI code page" >&2
    return 1
  fi
  printf '"NE PAS MODIFIER CE FICHIER","Orvando station meteo ws-2300 ZR"\r\n"%s",%d\r\n' \
    "$folder" "$3" >"$1"
}

# The interval index a settings file holds, read as Orvando reads it from the
# file it writes: the last item but a run length's line ("Duree",N), quoted
# or not, leading zeros allowed; one missing, not a number or out of range is
# taken as 0 ("15 mn").
settings_index() {  # file
  local index
  index=$(tr '\r' '\n' 2>/dev/null <"$1" |
    awk 'NF && !/^ *"?Duree"? *,/ { line = $0 } END { print line }')
  index=${index##*,}
  index=${index//[$' \t"']/}
  [[ $index =~ ^0*[0-4]$ ]] && echo "${index: -1}" || echo 0
}

# How long a run lasts, in minutes: its line ("Duree",N) when it is one of
# the lengths offered, otherwise 2.
settings_minutes() {  # file
  local minutes
  minutes=$(tr '\r' '\n' 2>/dev/null <"$1" | awk -F, '/^ *"?Duree"? *,/ { m = $2 } END { print m }')
  minutes=${minutes//[$' \t"']/}
  [[ $minutes =~ ^0*(3|5|10)$ ]] && echo "$((10#$minutes))" || echo 2
}

# When an Orvando armed at HH:MM with interval index $1 starts HeavyWeather:
# "now" in a minute of the quarter, half or whole hour the interval names, or
# during a whole 3rd or 6th hour (each hour of them has runs); otherwise the
# next such time, HH:MM.
next_run() {  # interval index, HH:MM
  local steps=(15 30 60 180 360) step t
  step=${steps[$1]}
  t=$((10#${2%:*} * 60 + 10#${2#*:}))
  if ((t % step < (step > 60 ? 60 : 1))); then
    echo now
  else
    t=$(((t / step + 1) * step % 1440))
    printf '%02d:%02d\n' $((t / 60)) $((t % 60))
  fi
}

# A display for Wine: $DISPLAY when set (and not forced private), otherwise a
# private Xvfb. Sets ORVANDO_XVFB_PID when it started one.
#
# Xvfb picks a free display number itself (-displayfd) and writes it once it
# listens there. Our /tmp can't tell which numbers are free: a server in
# another chroot or mount namespace shares X's abstract sockets with us but not
# our /tmp, so a number whose lock file is missing here may still answer, from
# someone else's server, and go away with it. The display is ours only once the
# process we started has written its number and is still alive after
# answering there.
start_display() {
  local force_private="${1:-}"
  if [ -n "${DISPLAY:-}" ] && [ -z "$force_private" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  ORVANDO_XVFB_DIR=$(mktemp -d "${TMPDIR:-/tmp}/orvando-xvfb.XXXXXX") || return 1
  local number_file="$ORVANDO_XVFB_DIR/display" errors="$ORVANDO_XVFB_DIR/stderr"
  : >"$number_file"  # the loop may read it before the redirection below creates it
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$number_file" </dev/null >/dev/null 2>"$errors" &
  ORVANDO_XVFB_PID=$!
  local pid=$ORVANDO_XVFB_PID n i
  for i in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    # A whole line: the number is written before its newline.
    if IFS= read -r n <"$number_file" && [[ $n =~ ^[0-9]+$ ]] &&
      DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && kill -0 "$pid" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    echo "Xvfb (pid $pid) did not answer on a display of its own within 10 s" >&2
  else
    wait "$pid"
    echo "Xvfb did not start (exit status $?)" >&2
  fi
  sed 's/^/  Xvfb: /' "$errors" | tail -n 15 >&2
  stop_display
  return 1
}

stop_display() {
  [ -n "${ORVANDO_XVFB_PID:-}" ] && kill "$ORVANDO_XVFB_PID" 2>/dev/null
  ORVANDO_XVFB_PID=
  [ -n "${ORVANDO_XVFB_DIR:-}" ] && rm -rf "$ORVANDO_XVFB_DIR"
  ORVANDO_XVFB_DIR=
}

# The private prefix is created once; later runs reuse it. With "desktop",
# Wine draws its windows inside one virtual desktop window: with no window
# manager on Xvfb, Wine otherwise waits 2 s for every shown window that is
# destroyed, and gives no window the focus.
ensure_prefix() {
  local prefix="${1:-$WINE_PREFIX_DIR}" desktop="${2:-desktop}"
  wine_env
  export WINEPREFIX="$prefix"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the Wine prefix in $WINEPREFIX (once)"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    if [ "$desktop" = desktop ]; then
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f \
        >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ \
        /d 1280x1024 /f >/dev/null 2>&1
    fi
    wineserver -w
  fi
}

start_wineserver() {
  wine_env
  wineserver -p >/dev/null 2>&1
  # The first program started brings up Wine's own services (explorer, rpcss,
  # ...), which live as long as the server and inherit the starter's output.
  # Start them here with no pipe attached, so that CTest, which waits for a
  # test's output to close, does not wait for them.
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

# Everything the tests under Wine need, for the rest of the script: the
# private prefix, a private Xvfb, one wineserver (all stopped on exit), and
# the French locale our users' Windows has.
start_wine_for_tests() {
  ensure_prefix
  start_display private || return 1
  trap 'stop_wineserver; stop_display' EXIT
  start_wineserver
  export LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8
}

stop_wineserver() {
  wine_env
  wineserver -k >/dev/null 2>&1 || true
}
