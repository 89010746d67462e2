#!/usr/bin/env bash
# Runs the four benchmark loops through oxscript and through lua5.4 (global variables), five
# times each side by side, and prints the median iterations per second of each and the ratio
# lua / oxscript.
#   bench/compare_lua.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
ox="$build/tools/oxscript/oxscript"
lua=$(command -v lua5.4 || true)
[ -x "$ox" ] || { echo "compare_lua: build oxscript first ($ox)" >&2; exit 1; }
[ -n "$lua" ] || { echo "compare_lua: lua5.4 not installed" >&2; exit 1; }

now() { date +%s.%N; }
seconds() { local t0 t1; t0=$(now); "$@" >/dev/null; t1=$(now); awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

run() {  # name N oxscript-source lua-file
  local name=$1 n=$2 src=${3//\$N/$2} luafile=$4
  local ox_times="" lua_times="" i
  for i in 1 2 3 4 5; do
    ox_times+="$(seconds "$ox" -p -e "$src")"$'\n'
    lua_times+="$(seconds "$lua" "bench/lua/$luafile" "$n")"$'\n'
  done
  local ro rl
  ro=$(awk -v n="$n" -v t="$(printf '%s' "$ox_times" | median)" 'BEGIN { printf "%.0f", n / t }')
  rl=$(awk -v n="$n" -v t="$(printf '%s' "$lua_times" | median)" 'BEGIN { printf "%.0f", n / t }')
  printf '%-14s oxscript %12s iter/s   lua5.4 %12s iter/s   lua/oxscript %6.1f\n' \
    "$name" "$ro" "$rl" "$(awk -v a="$rl" -v b="$ro" 'BEGIN { print a / b }')"
}

run counting 5000000 "I := 0; K := 0; FOR I := 1 TO \$N DO K := K + 1" counting.lua
run strings 50000 "I := 0; S := ''; FOR I := 1 TO \$N DO S := S + 'x'" strings.lua
run calls 500000 "FUNCTION G(X); BEGIN RESULT := X * 2 END; FUNCTION F(X); BEGIN RESULT := G(X) + 1 END; I := 0; K := 0; FOR I := 1 TO \$N DO K := F(I)" calls.lua
run case 2000000 "I := 0; A := 0; B := 0; C := 0; D := 0; FOR I := 1 TO \$N DO CASE I AND 3 OF 0: A := A + 1; 1: B := B + 1; 2: C := C + 1; ELSE D := D + 1; END" case.lua
