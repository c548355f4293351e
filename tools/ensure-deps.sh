#!/bin/sh
# Installs with apt-get whatever the build and the tests need and this
# machine lacks (through sudo when not root). Quiet when all is there.
set -e
missing=""
need() { dpkg -s "$1" >/dev/null 2>&1 || missing="$missing $1"; }
need cmake
need g++
need make
need pkg-config
need libncurses-dev
need libgtest-dev
need tmux
need python3
need clang
need libclang-rt-14-dev
[ -z "$missing" ] && exit 0
echo "installing:$missing" >&2
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null
