# Debian packages the project needs, and an installer that skips what is already there.
# Sourced by run.sh and test.sh.

# To build and run the program.
build_packages=(build-essential cmake pkg-config libxcb1-dev qt6-base-dev qt6-svg-dev qt6-tools-dev
    qt6-l10n-tools fonts-liberation)
# To test it (headless, under a headless Weston, and on X under openbox and fluxbox in Xvfb,
# driven by xdotool and wmctrl and grabbed by ImageMagick; heard through AT-SPI on a private
# session bus, by Python's bindings of the AT-SPI client library) and check its desktop files and
# package.
test_packages=(googletest libgtest-dev desktop-file-utils appstream weston qt6-wayland lintian
    xvfb openbox fluxbox wmctrl xdotool x11-utils imagemagick dbus-daemon at-spi2-core python3-gi
    gir1.2-atspi-2.0)
# To build the browser page (fonttools cuts its fonts down) and test it in each engine: Chromium
# and Firefox headless, WebKitGTK in its MiniBrowser (in libwebkit2gtk) on Xvfb, with locales
# compiled from the sources in locales.
web_packages=(emscripten googletest fonts-liberation fonttools python3 chromium nodejs firefox-esr
    webkit2gtk-driver xvfb locales)

install_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}
