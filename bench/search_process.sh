#!/usr/bin/env bash
# Whole-process figures of the symbol search: `quiral-cli index` of a folder, a first search with
# an empty cache, searches with a warm cache, and their peak memory (GNU time's maximum resident
# set size).   bash bench/search_process.sh [build/tools/quiral-cli] [/usr/share/kicad/symbols]
set -euo pipefail
cli=${1:-build/tools/quiral-cli}
folder=${2:-/usr/share/kicad/symbols}
cache=$(mktemp -d)
trap 'rm -rf "$cache"' EXIT
export XDG_CACHE_HOME=$cache
run() {
  local label=$1
  shift
  /usr/bin/time -f "$label: %e s (cpu %U user + %S system), peak %M KB" "$@" >/dev/null 2>>"$cache/times" || true
  tail -n 1 "$cache/times"
}
run "index" "$cli" index "$folder"
run "search, empty cache" "$cli" search "$folder" usb c receptacle
for query in "usb c receptacle" "ldo 3.3 sot-23" stm32f407 optocoupler r; do
  run "search, warm cache ($query)" "$cli" search "$folder" $query
done
