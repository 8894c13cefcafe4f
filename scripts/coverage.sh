#!/usr/bin/env bash
# Line and branch coverage of src/ over every test, the fault suite and the tour included.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v gcovr >/dev/null; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get install -y -qq gcovr
fi
cmake --preset coverage >/dev/null
cmake --build --preset coverage
find build/coverage -name '*.gcda' -delete
ctest --preset coverage
gcovr -r . --filter 'src/' build/coverage --print-summary -o build/coverage/coverage.txt
