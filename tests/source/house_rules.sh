#!/usr/bin/env bash
# Rules of the house that the code must keep by itself, checked on the
# sources:
# - every wait of ours is measured on the clock that stops while the PC
#   sleeps (QueryUnbiasedInterruptTime): the tick count, the performance
#   counter and the C++ clocks count sleep, and a close interrupted by it
#   would give up at the resume;
# - no handler waits: nothing but the program's own loop (main_win32.cpp)
#   runs pending messages, so a box left open never holds up the schedule;
# - every Windows resource has an owner (platform/win32/unique_handle_win32.h;
#   a window's, the base Window): nothing else frees one by hand or casts a
#   handle to a GDI type, and only dyn_calls_win32.h looks functions up;
# - includes point one way, from the ground up: platform (with win32/) <
#   config, history < station < windows < main_window < main_win32.cpp. A
#   declaration lives in the lowest room that needs it.
#
#   house_rules.sh <source root>
set -uo pipefail
cd "$1/src" || exit 2
status=0

fail() {
  echo "FAIL: $1" >&2
  sed 's/^/    /' <<<"$2" >&2
  status=1
}

hits=$(grep -rnE '\b(GetTickCount(64)?|QueryPerformanceCounter|QueryInterruptTime(Precise)?|timeGetTime|GetSystemTime(Precise)?AsFileTime)\s*\(|\bchrono::|_clock\b' . )
[ -z "$hits" ] || fail "a wait measured on a clock that counts sleep (use the Clock's MonotonicMs)" "$hits"

hits=$(grep -rnE '\b(PeekMessage[AW]?|GetMessage[AW]?|MsgWaitForMultipleObjects(Ex)?|WaitMessage)\s*\(' . |
  grep -v '^\./main_win32\.cpp:')
[ -z "$hits" ] || fail "a handler that runs pending messages: a wait is a state advanced by timer events" "$hits"

hits=$(grep -rnE '\b(ReleaseDC|EndPaint|DeleteObject|DeleteDC|DestroyWindow|DestroyIcon|CloseHandle|RegCloseKey|FindClose)\s*\(|static_cast<H(BRUSH|FONT|BITMAP|ICON|PEN|GDIOBJ)>|\bGetProcAddress\s*\(' . |
  grep -vE '^\./platform/win32/(unique_handle_win32\.(h|cpp)|window_win32\.cpp|dyn_calls_win32\.h):')
[ -z "$hits" ] || fail "a resource freed, cast or looked up by hand: give it an owner (unique_handle_win32.h)" "$hits"

rank() {
  case "$1" in
    platform) echo 0 ;; config | history) echo 1 ;; station) echo 2 ;;
    windows) echo 3 ;; main_window) echo 4 ;; main_win32.cpp) echo 5 ;; *) echo -1 ;;
  esac
}
hits=$(grep -rnE '^#include "[a-z_]+/' . | while IFS= read -r line; do
  from=${line#./}; from=${from%%/*}; from=${from%%:*}
  to=${line#*#include \"}; to=${to%%/*}
  [ "$from" = "$to" ] && continue
  # Upward, or sideways between two rooms of one floor (config, history).
  [ "$(rank "$to")" -lt "$(rank "$from")" ] || echo "$line"
done)
[ -z "$hits" ] || fail "an include that runs upward (or sideways): move the declaration down" "$hits"

[ $status -eq 0 ] && echo "house rules kept"
exit $status
