#!/usr/bin/env bash
# Times pellora-cli as a whole process on a store of 32767 entries: `ls` and `show`, each run
# RUNS times, with the masters on standard input. Build the release preset first.
# Usage: bench/cli_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail

build=${1:-build/release}
runs=${2:-30}
cli=$build/pellora-cli
maker=$build/make_cli_bench_vault
for program in "$cli" "$maker"; do
    [[ -x $program ]] || { echo "missing $program: build the release preset first" >&2; exit 2; }
done

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data LC_ALL=${LC_ALL:-C.UTF-8}
unset DISPLAY WAYLAND_DISPLAY
"$maker" "bench master 1" "bench master 2"
masters=$'bench master 1\nbench master 2\n'

# Each run's wall time and CPU time (user + system) in milliseconds; min, median and max of each.
measure() {
    local walls=() cpus=() i report
    for ((i = 0; i < runs; i++)); do
        report=$({ TIMEFORMAT='%3R %3U %3S'; time "$cli" --masters-stdin "$@" <<<"$masters" \
            >/dev/null; } 2>&1)
        read -r real user sys <<<"$report"
        walls+=("$(awk -v r="$real" 'BEGIN { printf "%.1f", r * 1000 }')")
        cpus+=("$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.1f", (u + s) * 1000 }')")
    done
    summary() {
        sort -n | awk '{ t[NR] = $1 }
            END { printf "min %6.1f  median %6.1f  max %6.1f", t[1], t[int((NR + 1) / 2)], t[NR] }'
    }
    printf '%-22s wall ms: %s   cpu ms: %s   (%d runs)\n' "$*" \
        "$(printf '%s\n' "${walls[@]}" | summary)" "$(printf '%s\n' "${cpus[@]}" | summary)" "$runs"
}

lines=$("$cli" --masters-stdin ls <<<"$masters" | wc -l)
echo "store: $lines live entries; $(nproc) cores, load average $(cut -d" " -f1-3 /proc/loadavg)"
measure ls
measure ls --sort description
measure ls --json
measure show 16384
measure show 1
