#!/usr/bin/env bash
# Build the Debian package from a build tree with cpack and check it the way Debian does:
# lintian must report no error and no warning, and Depends must name each package once.
# Without lintian the other checks still run, and the test then exits 77 (its skip code).
#
# usage: check_package.sh <build-dir> <cpack>

set -uo pipefail

build_dir=${1:?usage: check_package.sh <build-dir> <cpack>}
cpack_bin=${2:?usage: check_package.sh <build-dir> <cpack>}

out=$(mktemp -d "${TMPDIR:-/tmp}/tessarion-package.XXXXXX")
trap 'rm -rf "$out"' EXIT

if ! log=$("$cpack_bin" -G DEB --config "$build_dir/CPackConfig.cmake" -B "$out" 2>&1); then
    printf '%s\n' "$log" >&2
    echo "FAIL: cpack -G DEB failed" >&2
    exit 1
fi
debs=("$out"/*.deb)
if [[ ${#debs[@]} -ne 1 || ! -f ${debs[0]} ]]; then
    echo "FAIL: cpack made ${#debs[@]} packages, expected one" >&2
    exit 1
fi
deb=${debs[0]}

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Each relation is "name [(version)]", alternatives split by "|".
depends=$(dpkg-deb -f "$deb" Depends)
twice=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/[[:space:]]//g' | grep . | sort | uniq -d)
[[ -z $twice ]] || fail "Depends names $(tr '\n' ' ' <<<"$twice")more than once: $depends"

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/tessarion ./usr/share/man/man1/tessarion.1.gz \
    ./usr/share/doc/tessarion/changelog.gz ./usr/share/doc/tessarion/copyright; do
    grep -qxF "$path" <<<"$contents" || fail "package lacks ${path#.}"
done

# Info and pedantic tags are advice; errors and warnings fail.
lintian_found=false
if command -v lintian >/dev/null 2>&1; then
    lintian_found=true
    report=$(lintian --fail-on error,warning "$deb" 2>&1)
    rc=$?
    report=$(grep -v '^running with root privileges is not recommended!$' <<<"$report")
    if [[ $rc -ne 0 ]]; then
        fail "lintian (exit $rc):"
        printf '%s\n' "$report" >&2
    elif [[ -n $report ]]; then
        printf '%s\n' "$report"
    fi
fi

if [[ $failures -ne 0 ]]; then
    echo "$failures package check(s) failed" >&2
    exit 1
fi
if [[ $lintian_found == false ]]; then
    echo "SKIP: lintian is not installed (scripts/packages.sh installs it); other checks passed"
    exit 77
fi
echo "package $(basename "$deb") OK"
