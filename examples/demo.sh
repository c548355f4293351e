#!/bin/sh
# Opens the sample company in a scratch copy, so the bundled files are never
# changed; the copy is removed when the editor ends:
#
#   demo.sh [SETUPEDIT MAKE_SAMPLE] [ENG|ITA] [SERVICE]
#
# The two programs come from the arguments, else from SETUPEDIT_BIN and
# MAKE_SAMPLE_BIN, else from the build folder beside this one. The language
# defaults to ENG; SERVICE is passed on as the editor's fourth argument.
set -eu

here=$(cd "$(dirname "$0")" && pwd)

if [ $# -ge 2 ] && [ -n "${1##[A-Z][A-Z][A-Z]}" ]; then
    setupedit=$1
    make_sample=$2
    shift 2
else
    setupedit=${SETUPEDIT_BIN:-$here/../build/setupedit}
    make_sample=${MAKE_SAMPLE_BIN:-$here/../build/make_sample}
fi
lang=${1:-ENG}
service=${2:-}

# We change folder before running them: make relative paths absolute.
absolute() {
    case $1 in
        /*) printf '%s\n' "$1" ;;
        */*) printf '%s/%s\n' "$(pwd)" "$1" ;;
        *) command -v "$1" || printf '%s/%s\n' "$(pwd)" "$1" ;;
    esac
}
setupedit=$(absolute "$setupedit")
make_sample=$(absolute "$make_sample")
for program in "$setupedit" "$make_sample"; do
    if [ ! -x "$program" ]; then
        echo "demo.sh: $program is not built (build setupedit and make_sample first)" >&2
        exit 1
    fi
done
if [ ! -f "$here/VELTRIS.$lang" ]; then
    echo "demo.sh: no catalogue VELTRIS.$lang in $here" >&2
    exit 1
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/setupedit-demo.XXXXXX")
# The scratch copy goes when the editor ends, however it ends.
trap 'rm -rf "$scratch"' EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
"$make_sample" "$scratch/DITTA.001"
for f in VELTRIS.ENG VELTRIS.ITA SETUP.001 nolvex.hlp; do
    cp "$here/$f" "$scratch/"
done
echo "demo.sh: sample company in $scratch (removed when the editor ends)" >&2

# The help key runs "readme nolvex.hlp" through the shell.
PATH=$here:$PATH
export PATH
cd "$scratch"
status=0
if [ -n "$service" ]; then
    "$setupedit" "" 001 "$lang" "$service" || status=$?
else
    "$setupedit" "" 001 "$lang" || status=$?
fi
exit "$status"
