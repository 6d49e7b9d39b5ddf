#!/usr/bin/env bash
# Writes a manual page from a program's own help, so that the page and the
# program never disagree:
#
#     make-man.sh PROGRAM-PATH NAME "SUMMARY" EXTRA.man OUT.1 [per-command]
#
# The page is the program's --help, then (with per-command) each command's
# own --help, then the hand-written sections of EXTRA.man (EXAMPLES, FILES,
# ENVIRONMENT, SEE ALSO ...).
set -euo pipefail
program=$1 name=$2 summary=$3 extra=$4 out=$5 mode=${6:-}

version=$("$program" --version | head -1 | awk '{print $NF}')

# Help text as literal troff: no fill, backslashes and leading dots escaped.
literal() {
    echo '.nf'
    sed -e 's/\\/\\e/g' -e "s/^\([.']\)/\\\\\&\1/"
    echo '.fi'
}

{
    printf '.TH %s 1 "" "vfdkit %s" "vfdkit manual"\n' "${name^^}" "$version"
    echo '.SH NAME'
    printf '%s \\- %s\n' "$name" "$summary"
    echo '.SH DESCRIPTION'
    "$program" --help | literal
    if [[ $mode == per-command ]]; then
        echo '.SH COMMANDS'
        "$program" --help |
            awk '/^Commands:/ {on = 1; next} on && /^  [a-z]/ {print $1} on && /^$/ {on = 0}' |
            while read -r command; do
                printf '.SS %s\n' "$command"
                "$program" "$command" --help | literal
            done
    fi
    cat "$extra"
} >"$out.tmp"
mv "$out.tmp" "$out"
