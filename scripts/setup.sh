#!/usr/bin/env bash
# Installs what is missing on Debian 12, builds Pellora, then starts it ("run") or runs every
# test ("test").
set -euo pipefail

mode=${1:-run}
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools
          nettle-dev libgmp-dev libgtest-dev libgmock-dev libbenchmark-dev
          xvfb xdotool imagemagick xclip x11-utils desktop-file-utils appstream file
          bash-completion zsh)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

cd "$root"
case "$mode" in
    run)
        cmake --preset release >/dev/null
        cmake --build --preset release
        exec ./build/release/pellora
        ;;
    test)
        cmake --preset debug >/dev/null
        cmake --build --preset debug
        ctest --preset debug
        ;;
    *)
        echo "usage: $0 [run|test]" >&2
        exit 2
        ;;
esac
