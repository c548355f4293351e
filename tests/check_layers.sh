#!/bin/sh
# Each layer includes only the layers below it:
# platform < data < console < shell < dialogs (dialogs may use shell's
# header and menu bar only; shell/main.cpp, the program entry, wires
# everything together).
set -u
src=${1:-$(dirname "$0")/../src}
status=0
check() {
    layer=$1
    shift
    for file in "$src/$layer"/*; do
        case $file in */shell/main.cpp) continue ;; esac
        for banned in "$@"; do
            if grep -n "#include \"$banned/" "$file" >/dev/null; then
                echo "$file includes $banned/: a lower layer must not use a higher one" >&2
                status=1
            fi
        done
    done
}
check platform data console shell dialogs
check data console shell dialogs
check console shell dialogs
check shell dialogs
# setuprec, the companion command, stands on the data layer alone.
check setuprec console shell dialogs
for file in "$src"/dialogs/*; do
    if grep -n '#include "shell/' "$file" | grep -v -E 'shell/(header|menu_bar|main_loop)\.h' >/dev/null; then
        echo "$file uses more of the shell than its header box and menu bar" >&2
        status=1
    fi
done
exit $status
