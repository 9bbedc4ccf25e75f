#!/usr/bin/env bash
# Fails when Orvando.exe reaches its size bound. What the size depends on is
# set in CMakeLists.txt (orvando_size) and told in docs/architecture.md.
#
#   exe_size.sh <Orvando.exe> <bound in bytes>
set -uo pipefail
exe="$1" bound="$2"

size=$(stat -c %s "$exe") || exit 1
if [ "$size" -ge "$bound" ]; then
  echo "FAIL: $exe is $size bytes, not under $bound" >&2
  exit 1
fi
echo "Orvando.exe is $size bytes, $((bound - size)) under $bound"
