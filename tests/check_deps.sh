#!/bin/sh
# Each make target asks only for its own tools: on a machine with none of
# them and no apt-get, tools/ensure-deps.sh names what is missing and fails,
# and the release build never asks for the tests' or the fuzzers' tools.
#   check_deps.sh SOURCE
set -u
source=$1
bare=$(mktemp -d)
trap 'rm -rf "$bare"' EXIT
for tool in sh id mktemp cut rm printf cat; do
    ln -s "$(command -v "$tool")" "$bare/$tool"
done
status=0

# profile | packages it must name | packages it must not name
while IFS='|' read -r profile named unnamed; do
    out=$(PATH=$bare sh "$source/tools/ensure-deps.sh" $profile 2>&1) && {
        echo "$profile: succeeded with no tools at all" >&2
        status=1
    }
    for package in $named; do
        case " $out " in *" $package "*) ;; *)
            echo "$profile: '$package' is not named in: $out" >&2
            status=1 ;;
        esac
    done
    for package in $unnamed; do
        case " $out " in *" $package "*)
            echo "$profile: '$package' is named in: $out" >&2
            status=1 ;;
        esac
    done
done <<'EOF'
build|cmake make g++ pkg-config libncurses-dev|tmux python3 clang lintian dpkg-dev
test|cmake g++ tmux python3|clang lintian
fuzz|cmake tmux clang|lintian
EOF
exit $status
