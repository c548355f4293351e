#!/bin/sh
# Checks that what a make target needs is here; what is not is installed
# with apt-get (through sudo when not root) where that exists, else named.
# Quiet, and needs no network, when all is there.
#
#   ensure-deps.sh build    cmake, make, a C++ compiler, pkg-config, terminfo headers
#   ensure-deps.sh test     the above, GoogleTest, tmux, python3
#   ensure-deps.sh fuzz     the above, clang and its libFuzzer runtime
#   ensure-deps.sh ci       all of the above, dpkg's tools and lintian
set -e
profile=${1:-build}
missing=""

# need PACKAGE COMMAND...: PACKAGE is missing when COMMAND fails.
need() {
    package=$1
    shift
    "$@" >/dev/null 2>&1 || missing="$missing $package"
}

has() { command -v "$1"; }

install_missing() {
    [ -z "$missing" ] && return 0
    if ! has apt-get; then
        echo "missing:$missing (install them with your package manager)" >&2
        exit 1
    fi
    echo "installing:$missing" >&2
    if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null
    missing=""
}

# clang's libFuzzer runtime comes in a package named after clang's major
# version on some releases and under one unversioned name on others.
fuzzer_runtime() {
    major=$(clang++ -dumpversion | cut -d. -f1)
    for package in "libclang-rt-$major-dev" libclang-rt-dev "libclang-common-$major-dev"; do
        if apt-cache show "$package" >/dev/null 2>&1; then
            echo "$package"
            return
        fi
    done
    echo "libclang-rt-$major-dev"
}

links_a_fuzzer() {
    probe=$(mktemp -d)
    printf 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }\n' >"$probe/p.cpp"
    status=0
    clang++ -fsanitize=fuzzer "$probe/p.cpp" -o "$probe/p" >/dev/null 2>&1 || status=1
    rm -rf "$probe"
    return $status
}

need cmake has cmake
need make has make
need g++ has "${CXX:-c++}"
need pkg-config has pkg-config
need libncurses-dev pkg-config --exists tinfo
case $profile in
test | fuzz | ci)
    need libgtest-dev test -f /usr/include/gtest/gtest.h
    need tmux has tmux
    need python3 has python3
    ;;
esac
case $profile in
fuzz | ci)
    need clang has clang++
    install_missing
    links_a_fuzzer || missing=$(fuzzer_runtime)
    ;;
esac
case $profile in
ci)
    need dpkg-dev has dpkg-shlibdeps
    need lintian has lintian
    ;;
esac
install_missing
