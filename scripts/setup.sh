# Shared by the scripts in this folder: installs what is missing and builds.
# Sourced, not run.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"

# What building and running the program needs on Debian 12.
run_packages=(cmake g++ make qt6-base-dev libgl-dev libsdl2-dev fonts-ipafont-gothic)

# What the tests need besides: a sound server and its recorder.
test_packages=(pulseaudio pulseaudio-utils)

# Installs the named Debian packages that are not installed yet.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]}" >&2
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

# Configures the Release build in build/ (once) and builds the given targets, or all.
build_release() {
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
    fi
    local targets=()
    local target
    for target in "$@"; do targets+=(--target "$target"); done
    cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
}
