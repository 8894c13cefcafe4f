#!/usr/bin/env bash
# The shell completions offer pellora-cli's commands, each command's options and its values.
set -uo pipefail
source_dir=$1
failures=0

expect() {
    local want=$1 got; shift
    got=$(bash -c '
        source /usr/share/bash-completion/bash_completion; source "$0"
        COMP_WORDS=("${@}") COMP_CWORD=$(($# - 1)) COMP_LINE="$*" COMP_POINT=${#COMP_LINE}
        _pellora_cli
        printf "%s\n" "${COMPREPLY[@]}"
    ' "$source_dir/resources/completion/pellora-cli.bash" "$@" | sort | tr '\n' ' ')
    [[ $got == "$want" ]] || { echo "FAIL: '$*' completes to '$got', not '$want'"; failures=$((failures + 1)); }
}

if [[ -r /usr/share/bash-completion/bash_completion ]]; then
    expect "change-masters check clip " pellora-cli c
    expect "export export-text " pellora-cli --masters-stdin exp
    expect "--reverse " pellora-cli ls --r
    expect "--show-password " pellora-cli show 1000 --sh
    expect "description " pellora-cli ls --sort d
    expect "--no-require-mix --no-require-special " pellora-cli edit 1000 --no-req
    expect "TAB " pellora-cli export-text out.txt --delimiter T
else
    echo "bash-completion is not installed: bash completion not checked"
fi
command -v zsh >/dev/null && { zsh -n "$source_dir/resources/completion/_pellora-cli" || failures=$((failures + 1)); }
echo "$failures failed"
exit $((failures > 0))
