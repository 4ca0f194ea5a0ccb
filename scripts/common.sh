# Shared by the scripts: installs what is missing and builds into build/.
# shellcheck shell=bash
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${GRAVLIN_BUILD_DIR:-$ROOT/build}"
JOBS="$(nproc 2>/dev/null || echo 2)"

# Packages every build needs on Debian 12.
BASE_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev googletest
               libbenchmark-dev xvfb xauth imagemagick fonts-dejavu-core fonts-dejavu-extra
               qt6-translations-l10n dpkg-dev file lintian appstream desktop-file-utils shared-mime-info
               librsvg2-bin)

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo="sudo"
        else
            echo "Missing packages (${missing[*]}) and not root: install them as root." >&2
            exit 1
        fi
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Every script configures build/ the same way (warnings are errors, tests included), so
# that scripts/run and scripts/test share one build and compile each source once. It is
# the Debian packages' build: `cpack -G DEB` in build/ makes them.
# configure [extra cmake arguments...]
configure() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGRAVLIN_WERROR=ON \
          -DGRAVLIN_BUILD_TESTS=ON -DGRAVLIN_DEBIAN_BUILD=ON "$@" >/dev/null
}

# Builds what the program needs to run, the program and the engine library, and the
# further targets named.
build_program() {
    configure
    cmake --build "$BUILD_DIR" -j "$JOBS" --target gravlin gravlin_engine "$@"
}

# configure_and_build [extra cmake arguments...]: configures and builds everything.
configure_and_build() {
    configure "$@"
    cmake --build "$BUILD_DIR" -j "$JOBS"
}
