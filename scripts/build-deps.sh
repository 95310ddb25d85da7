# Installs the Debian packages the build needs; sourced by test.sh, run.sh and the package check.
KESTREL_BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-charts-dev libudev-dev libtomlplusplus-dev nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core)
# Qt Charts' CMake package needs Qt OpenGL's, which qt6-charts-dev does not pull in.
KESTREL_BUILD_PACKAGES+=(libqt6opengl6-dev)
# Building and checking the .deb: icons, manual page, shared-library dependencies, lint.
KESTREL_PACKAGING_PACKAGES=(librsvg2-bin help2man dpkg-dev file lintian desktop-file-utils)

# ensure_packages name...: installs the named packages that are missing (as root), or says how.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}

ensure_build_packages() {
    ensure_packages "${KESTREL_BUILD_PACKAGES[@]}"
}

ensure_packaging_packages() {
    ensure_packages "${KESTREL_BUILD_PACKAGES[@]}" "${KESTREL_PACKAGING_PACKAGES[@]}"
}
