#!/usr/bin/env bash
# Completes typed command lines with the bash completion of ksv717n-cli and
# compares the offered words. Exit 77 (skipped) without bash-completion.
set -u
completion=$1
helpers=/usr/share/bash-completion/bash_completion
[[ -r $helpers ]] || { echo "bash-completion is not installed"; exit 77; }
source "$helpers"
source "$completion"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" && touch a.ust b.csv c.pdf d.txt && mkdir sub

# The sorted words offered for a line typed up to its end.
offered() {
    COMP_LINE=$1
    COMP_POINT=${#1}
    read -ra COMP_WORDS <<<"$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _ksv717n_cli ksv717n-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' '
}

failures=0
check() {
    local got
    got=$(offered "$1")
    if [[ $got != "$2" ]]; then
        echo "FAIL: '$1' offered '$got', expected '$2'"
        failures=$((failures + 1))
    fi
}

check "ksv717n-cli w" "write"
check "ksv717n-cli ex" "export-csv"
check "ksv717n-cli write --" \
    "--archive-dir --backup --dry-run --help --mode --no-archive --number --port"
check "ksv717n-cli archive --" "--archive-dir --help --original"
check "ksv717n-cli read --archive-dir " "sub"
check "ksv717n-cli fleet a.ust --c" "--cards --count"
check "ksv717n-cli ports --" "--help"
check "ksv717n-cli write a.ust --mode " "midband service user"
check "ksv717n-cli new --type " "0 1 2 3 4 5"
check "ksv717n-cli show " "a.ust sub"
check "ksv717n-cli import-csv a.ust " "b.csv sub"
check "ksv717n-cli print a.ust -o " "c.pdf sub"
check "ksv717n-cli export-csv a.ust -o " "b.csv sub"
check "ksv717n-cli fleet a.ust --backup-dir " "sub"
ports=$(offered "ksv717n-cli read --port ")
[[ $ports == *"COM1 COM2 COM3 COM4"* ]] || { echo "FAIL: --port offered '$ports'"; failures=$((failures + 1)); }
exit $((failures > 0))
