#!/usr/bin/env bash
# A 10,000-entry conversion with the command-line front end against the song service on
# loopback. Built with the sanitizers, it is a soak for leaks and memory faults on a long run;
# it checks that every entry was converted and that no cache file changed.
#   large_run_soak.sh CLI SONG_SERVICE [ENTRIES]
set -euo pipefail
cli="$1" service="$2" entries="${3:-10000}"

work="$(mktemp -d /tmp/corvalin-soak.XXXXXX)"
port_file="$work/port"
trap 'rm -f "$port_file"; rm -rf "$work"' EXIT

for ((i = 1; i <= entries; i++)); do printf '%d\tSong %d\tArtist %d\n' "$i" "$i" "$i"; done >"$work/songs.tsv"
"$service" --background --port 0 --port-file "$port_file" --catalogue "$work/songs.tsv" \
  --lifetime 900 >/dev/null

mkdir "$work/cache"
head -c 4096 /dev/urandom >"$work/block"
seq 1 "$entries" | sed 's/$/-128-soak.uc/' >"$work/names"
# xargs may split the names into several tee runs: each reads the block afresh.
(cd "$work/cache" && xargs -a "$work/names" sh -c 'tee "$@" <"$0" >/dev/null' "$work/block")
before="$(cd "$work/cache" && md5sum -- *.uc | md5sum)"

status=0
"$cli" --host "127.0.0.1:$(cat "$port_file")" "$work/cache" >"$work/out" 2>"$work/err" || status=$?
if [ "$status" -ne 0 ]; then
  echo "cacheconv-cli exited with $status"
  tail -20 "$work/err"
  exit 1
fi

made="$(find "$work/cache" -name '*.mp3' | wc -l)"
after="$(cd "$work/cache" && md5sum -- *.uc | md5sum)"
sample="$work/cache/Artist $entries - Song $entries.mp3"
echo "entries: $entries, MP3 files made: $made"
[ "$made" -eq "$entries" ] || { echo "expected $entries MP3 files"; exit 1; }
[ "$before" = "$after" ] || { echo "a cache file changed"; exit 1; }
cmp -s "$work/block" "$sample" || { echo "the last copy differs from its cache file"; exit 1; }
echo "soak passed"
