# Shared by the scripts in this folder: installs what is missing and builds.
# Sourced, not run.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"

# What building and running the program needs on Debian 12.
run_packages=(cmake g++ make qt6-base-dev libgl-dev libxcb1-dev libsdl2-dev fonts-ipafont-gothic)

# What the tests need besides: a sound server and its recorder.
test_packages=(pulseaudio pulseaudio-utils desktop-file-utils appstream locales fonts-dejavu-core fonts-ipafont-mincho)

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
    build_in "$build" "$@"
}

# Configures the build folder $build (once) with the extra cmake arguments in
# $configure, and builds the given targets, or all.
build_in() {
    local folder=$1
    shift
    if [ ! -f "$folder/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$folder" -DCMAKE_BUILD_TYPE=Release ${configure:-} >/dev/null
    fi
    local targets=()
    local target
    for target in "$@"; do targets+=(--target "$target"); done
    cmake --build "$folder" --parallel "$(nproc)" "${targets[@]}"
}

# Starts a private PulseAudio server with a silent sink, in its own runtime folder, and
# removes both when the calling script exits. As root PulseAudio warns and carries on.
start_sound_server() {
    sound_runtime=$(mktemp -d)
    chmod 700 "$sound_runtime"
    export XDG_RUNTIME_DIR=$sound_runtime
    unset PULSE_SERVER
    pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
        --load="module-native-protocol-unix" \
        --load="module-null-sink sink_name=collatz_tests rate=44100 channels=1 format=s16le" \
        >"$sound_runtime/pulseaudio.log" 2>&1 &
    sound_server=$!
    trap 'kill "$sound_server" 2>/dev/null; rm -rf "$sound_runtime"' EXIT
    local _
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "The sound server did not start:" >&2
    cat "$sound_runtime/pulseaudio.log" >&2
    return 1
}
