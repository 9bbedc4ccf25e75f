#!/usr/bin/env bash
# Fails when Orvando.exe imports a function or a DLL that x64 Windows 7 SP1
# lacks: the loader would refuse to start the program there ("entry point not
# found"), whatever the build's WINVER says. Also fails when the DLL search is
# limited through a static import of SetDefaultDllDirectories, which Windows 7
# has only with update KB2533623: it must be looked up at run time.
#
#   windows7_imports.sh <objdump> <Orvando.exe>
set -uo pipefail
objdump="$1" exe="$2"

# Newer than Windows 7 SP1: the "Minimum supported client" of each function's
# page on Microsoft Learn. Add any newer function the program comes to need
# (and look it up at run time, in src/platform/win32/dyn_calls_win32.cpp).
newer_functions=(
  # user32, Windows 10 1607
  GetDpiForWindow GetDpiForSystem AdjustWindowRectExForDpi GetSystemMetricsForDpi
  SystemParametersInfoForDpi SetThreadDpiAwarenessContext GetThreadDpiAwarenessContext
  GetWindowDpiAwarenessContext EnableNonClientDpiScaling
  # user32, Windows 10 1703 and 1803
  SetProcessDpiAwarenessContext GetDpiFromDpiAwarenessContext GetSystemDpiForProcess
  # user32, Windows 8.1 (GetDpiForMonitor and SetProcessDpiAwareness are
  # shcore's, below)
  LogicalToPhysicalPointForPerMonitorDPI PhysicalToLogicalPointForPerMonitorDPI
  # kernel32, Windows 8 (Windows 7 only with KB2533623)
  SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory
  # kernel32, Windows 8, and 10 1607 for SetThreadDescription: functions a C++
  # runtime may use for clocks, files, waits and thread names
  GetSystemTimePreciseAsFileTime CreateFile2 WaitOnAddress WakeByAddressSingle
  WakeByAddressAll SetThreadDescription
)
# DLLs Windows 7 SP1 lacks: shcore (Windows 8.1); the API sets, which older
# systems resolve only in part or not at all; the universal C runtime
# (Windows 10; on 7 only with KB2999226).
newer_dlls='^(shcore\.dll|api-ms-win-.*|ext-ms-win-.*|ucrtbase\.dll)$'

# "DLL Name: X" opens each DLL's list; each import is "<vma> <hint> <name>".
imports=$(LC_ALL=C "$objdump" -p "$exe" |
  awk '/DLL Name:/ { dll = $3; print "dll " dll } dll && /^\t[0-9a-f]+\t/ { print "fn " $3 }')
# A parse that finds nothing would pass everything.
if ! grep -qx 'dll KERNEL32.dll' <<<"$imports" || ! grep -qx 'fn CreateWindowExW' <<<"$imports"; then
  echo "FAIL: no import table read from $exe" >&2
  exit 1
fi

status=0
while read -r kind name; do
  if [ "$kind" = dll ] && grep -qiE "$newer_dlls" <<<"$name"; then
    echo "FAIL: imports $name, which Windows 7 SP1 lacks" >&2
    status=1
  fi
done <<<"$imports"
for f in "${newer_functions[@]}"; do
  if grep -qx "fn $f" <<<"$imports"; then
    echo "FAIL: imports $f, which Windows 7 SP1 lacks: look it up at run time" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "Orvando.exe imports nothing newer than Windows 7 SP1" \
  "($(grep -c '^fn ' <<<"$imports") functions from $(grep -c '^dll ' <<<"$imports") DLLs)"
exit $status
