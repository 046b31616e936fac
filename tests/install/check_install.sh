#!/usr/bin/env bash
# Install a build tree into a scratch prefix and check that a desktop shell
# and a software centre would find everything they need there.
#
# usage: check_install.sh <build-dir> <app-id> <version> [cmake]

set -uo pipefail

if [[ $# -lt 3 ]]; then
    echo "usage: $0 <build-dir> <app-id> <version> [cmake]" >&2
    exit 2
fi
build_dir=$1
app_id=$2
version=$3
cmake_bin=${4:-cmake}

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# A missing validator must fail the test, not skip it silently.
for tool in "$cmake_bin" desktop-file-validate appstreamcli od; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAIL: required tool not found: $tool" >&2
        exit 1
    fi
done

prefix=$(mktemp -d "${TMPDIR:-/tmp}/tessarion-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT

if ! log=$("$cmake_bin" --install "$build_dir" --prefix "$prefix" 2>&1); then
    printf '%s\n' "$log" >&2
    echo "FAIL: cmake --install $build_dir failed" >&2
    exit 1
fi

desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
hicolor=$prefix/share/icons/hicolor

# ---------------------------------------------------------------- layout

[[ -f $prefix/bin/tessarion && -x $prefix/bin/tessarion ]] \
    || fail "bin/tessarion missing or not executable"
[[ -f $desktop ]] || fail "missing ${desktop#"$prefix"/}"
[[ -f $metainfo ]] || fail "missing ${metainfo#"$prefix"/}"

# The theme spec files icons by their pixel size, so a PNG in the wrong
# folder is drawn blurred or not picked at all.
for size in 32 128 256; do
    png=$hicolor/${size}x${size}/apps/$app_id.png
    if [[ ! -f $png ]]; then
        fail "missing ${png#"$prefix"/}"
        continue
    fi
    magic=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    [[ $magic == 89504e470d0a1a0a ]] || fail "${png#"$prefix"/} is not a PNG"
    read -r w0 w1 w2 w3 h0 h1 h2 h3 < <(od -An -tu1 -j16 -N8 "$png")
    w=$(( (w0 << 24) | (w1 << 16) | (w2 << 8) | w3 ))
    h=$(( (h0 << 24) | (h1 << 16) | (h2 << 8) | h3 ))
    [[ $w == "$size" && $h == "$size" ]] \
        || fail "${png#"$prefix"/} is ${w}x${h}, expected ${size}x${size}"
done
svg=$hicolor/scalable/apps/$app_id.svg
if [[ -f $svg ]]; then
    grep -q '<svg[^>]*viewBox=' "$svg" || fail "${svg#"$prefix"/} has no <svg viewBox>"
else
    fail "missing ${svg#"$prefix"/}"
fi

# ----------------------------------------------------------- desktop file

if [[ -f $desktop ]]; then
    # Hints count too: they are what shells act on (duplicate menu entries).
    out=$(desktop-file-validate "$desktop" 2>&1)
    rc=$?
    # Education and Science are both wanted, and the validator hints that two main
    # categories may list the program twice; any other remark fails.
    out=$(printf '%s\n' "$out" | grep -v 'hint: value "Education;Science;Physics;" for key "Categories".*more than one main category' || true)
    if [[ $rc -ne 0 || -n $out ]]; then
        fail "desktop-file-validate (exit $rc):"
        printf '%s\n' "$out" >&2
    fi

    key() { sed -n "s/^$1=//p" "$desktop" | head -n1; }
    exec_cmd=$(key Exec)
    exec_cmd=${exec_cmd%% *}
    [[ $exec_cmd == tessarion ]] || fail "Exec= runs '$exec_cmd', expected tessarion"
    [[ -x $prefix/bin/$exec_cmd ]] || fail "Exec= names '$exec_cmd', not installed in bin/"
    [[ $(key Icon) == "$app_id" ]] || fail "Icon= is '$(key Icon)', expected $app_id"
    [[ $(key Type) == Application ]] || fail "Type= is not Application"
    [[ $(key Terminal) == false ]] || fail "Terminal= is not false"
    [[ ";$(key Categories)" == *";Education;"* && ";$(key Categories)" == *";Science;"* ]] ||
        fail "Categories= lacks Education or Science"
fi

# --------------------------------------------------------------- metainfo

# appstreamcli exits 0 on pedantic and info issues, so read its report too:
# every issue is a line starting with a one-letter severity.
appstream_clean() {
    local out rc
    out=$("$@" 2>&1)
    rc=$?
    if [[ $rc -ne 0 ]] || grep -Eq '^[[:space:]]*[EWIP]: ' <<<"$out"; then
        fail "$* (exit $rc):"
        printf '%s\n' "$out" >&2
    fi
}

if [[ -f $metainfo ]]; then
    appstream_clean appstreamcli validate --no-net --pedantic "$metainfo"

    grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo <id> is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
        || fail "metainfo does not launch $app_id.desktop"
    # Newest release first, as AppStream requires; it must be this build.
    newest=$(sed -n 's/.*<release[^>]* version="\([^"]*\)".*/\1/p' "$metainfo" | head -n1)
    [[ $newest == "$version" ]] \
        || fail "newest metainfo release is '$newest', project version is $version"
fi

# Cross-checks the installed tree: the launchable desktop file and icon
# must be where the metainfo says.
appstream_clean appstreamcli validate-tree --no-net --pedantic "$prefix"

if [[ $failures -ne 0 ]]; then
    echo "$failures install check(s) failed" >&2
    exit 1
fi
echo "install layout OK"
