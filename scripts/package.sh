#!/usr/bin/env bash
# Makes the Debian packages libtarvo and libtarvo-dev from a build folder
# (build by default, as scripts/test.sh leaves it), checks their names,
# dependencies and version, unpacks them into a fresh root and builds the
# consumer programs of tests/consumer and examples/minimal against it.
#   scripts/package.sh [BUILD_DIR]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(realpath -m "${1:-$root/build}")"

"$root/scripts/setup.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTARVO_BUILD_TESTS=OFF -DTARVO_BUILD_EXAMPLES=OFF -DTARVO_BUILD_BENCH=OFF
fi
cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)"

out="$build/packages"
rm -rf "$out"
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)

fail() { echo "package.sh: $*" >&2; exit 1; }
runtime=("$out"/libtarvo_*.deb)
dev=("$out"/libtarvo-dev_*.deb)
[ -f "${runtime[0]}" ] && [ -f "${dev[0]}" ] || fail "libtarvo and libtarvo-dev were not both made"
for deb in "${runtime[0]}" "${dev[0]}"; do
    dpkg-deb --field "$deb" Package Version Depends
done

# One version everywhere: CHANGELOG.md, the packages, the CMake package.
version="$(dpkg-deb --field "${runtime[0]}" Version)"
changelog="$(grep -m1 -o '^## [0-9][0-9.]*' "$root/CHANGELOG.md" | cut -c4-)"
config="$(sed -n 's/^set(PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/tarvoConfigVersion.cmake")"
[ "$version" = "$changelog" ] && [ "$version" = "$config" ] \
    || fail "versions differ: package $version, CHANGELOG.md $changelog, CMake $config"
dpkg-deb --field "${runtime[0]}" Depends | grep -q 'libqt[56]widgets' || fail "libtarvo does not depend on Qt Widgets"
dpkg-deb --field "${dev[0]}" Depends | grep -qF "libtarvo (= $version)" || fail "libtarvo-dev does not depend on libtarvo"

fakeroot="$out/root"
for deb in "${runtime[0]}" "${dev[0]}"; do
    dpkg -x "$deb" "$fakeroot"
done
QT_QPA_PLATFORM=offscreen cmake -DPREFIX="$fakeroot/usr" -DWORK_DIR="$out/consumer" -DCXX=c++ \
    -P "$root/tests/consumer/run_consumer.cmake"
echo "Debian packages $version: $out"
