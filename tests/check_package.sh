#!/bin/sh
# Builds the Debian package as a distribution would (its compiler and linker
# flags where dpkg-buildflags exists, warnings as errors) and checks it:
# the documents Debian asks for, and no lintian error, warning or missing
# hardening where lintian is installed.
#   check_package.sh SOURCE BUILD
set -eu
source=$1
build=$2
fail() { echo "check_package: $*" >&2; exit 1; }

if command -v dpkg-buildflags >/dev/null; then
    CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
    LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
    export CXXFLAGS LDFLAGS
    type=None
else
    type=Release
fi
cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=$type -DSETUPEDIT_WERROR=ON >/dev/null
cmake --build "$build" -j 2 >"$build/build.log" 2>&1 || { tail -n 40 "$build/build.log"; fail "the build failed"; }
if command -v dpkg-buildflags >/dev/null; then
    # dpkg-buildflags --export sets CPPFLAGS apart, which CMake ignores:
    # the programs must be fortified all the same.
    CPPFLAGS=$(dpkg-buildflags --get CPPFLAGS) CXXFLAGS=$(dpkg-buildflags --get CXXFLAGS) \
        cmake -S "$source" -B "$build/cppflags" -DCMAKE_BUILD_TYPE=None >/dev/null
    grep -q _FORTIFY_SOURCE "$build/cppflags/CMakeFiles/setuprec.dir/flags.make" ||
        fail "a build with CPPFLAGS apart is not fortified"
fi
rm -f "$build"/setupedit_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/setupedit_*.deb)

contents=$(dpkg-deb -c "$deb")
for file in usr/share/doc/setupedit/copyright usr/share/doc/setupedit/changelog.Debian.gz \
    usr/share/man/man1/setupedit.1.gz usr/share/man/man1/setuprec.1.gz; do
    echo "$contents" | grep -q " \./$file\$" || fail "$file is not in the package"
done
root="$build/root"
rm -rf "$root" && dpkg-deb -x "$deb" "$root"
page=$("$root/usr/bin/setupedit" --help | sed -n 's/^The manual: man setupedit (\(.*\))\.$/\1/p')
[ -n "$page" ] && [ -f "$page" ] || fail "--help names no manual page that is installed: '$page'"
if command -v dpkg-shlibdeps >/dev/null; then
    dpkg-deb -f "$deb" Depends | grep -q '(>= ' || fail "Depends has no versions: $(dpkg-deb -f "$deb" Depends)"
fi

if ! command -v lintian >/dev/null; then
    echo "lintian is not installed: the package's contents alone were checked"
    exit 0
fi
report=$(lintian --pedantic --display-info "$deb" 2>/dev/null || true)
echo "$report"
if echo "$report" | grep -E '^(E|W): |hardening-' >/dev/null; then
    fail "lintian has errors, warnings or missing hardening"
fi
