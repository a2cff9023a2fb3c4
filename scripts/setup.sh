# SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
# SPDX-License-Identifier: MIT

# Shared by the scripts in this folder: installs what is missing and builds, one short
# line per step. Sourced, not run.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
logs="$root/build/logs"

# What building and running the program needs on Debian 12.
run_packages=(cmake g++ make qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev libsdl2-dev
    fonts-ipafont-gothic)

# What the tests need besides: a sound server and its recorder, the package, licence and
# metadata checkers, and the fonts and locale of the odd surroundings.
test_packages=(pulseaudio pulseaudio-utils desktop-file-utils appstream locales fonts-dejavu-core
    fonts-ipafont-mincho reuse lintian debhelper dpkg-dev xvfb xauth)

# What building the page needs: Debian's Emscripten, which brings its own clang and
# binaryen and uses the machine's node.
web_packages=(emscripten)

# What the page's tests need: the browsers of the three engines they drive, what
# WebKitGTK's browser plays wave files with, what reads a printed page back, and what
# turns WebKit's mouse wheel as the X server would.
page_test_packages=(chromium firefox-esr webkit2gtk-driver gstreamer1.0-plugins-good poppler-utils xdotool)

# The benchmarks and their floors, which only scripts/bench runs; scripts/test builds them
# too, so that none falls behind the program it measures.
bench_targets=(bench_experiment bench_graph bench_survey bench_startup floor_bare floor_controls bench_cue)
bench_packages=(libxcb1-dev)

# Runs a step with its output kept in build/logs/NAME.log: prints the one-line
# description, and shows the log, then its path, only when the step fails.
quietly() {
    local name=$1 description=$2
    shift 2
    mkdir -p "$logs"
    local log="$logs/$name.log"
    echo "$description"
    if ! "$@" >"$log" 2>&1; then
        cat "$log" >&2
        echo "failed: ${description%...}; the whole output is in $log" >&2
        return 1
    fi
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$@"
}

# Installs the named Debian packages that are not installed yet.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local what="${#missing[@]} Debian packages"
    [ ${#missing[@]} -eq 1 ] && what="1 Debian package"
    quietly packages "installing $what..." install_packages "${missing[@]}"
}

# Configures the Release build in build/ (once) and builds the given targets, or all.
build_release() {
    build_in "$build" "$@"
}

# Configures the build folder (once) with the extra cmake arguments in $configure, and
# builds the given targets, or all.
build_in() {
    local folder=$1
    shift
    local name
    name=$(basename "$folder")
    if [ ! -f "$folder/CMakeCache.txt" ]; then
        # shellcheck disable=SC2086 # $configure holds several arguments
        quietly "$name-configure" "configuring $name/..." \
            cmake -S "$root" -B "$folder" -DCMAKE_BUILD_TYPE=Release ${configure:-}
    fi
    local targets=()
    local target
    for target in "$@"; do targets+=(--target "$target"); done
    quietly "$name-build" "building in $name/..." cmake --build "$folder" --parallel "$(nproc)" "${targets[@]}"
}

# Configures the browser's build in build-web/ with Emscripten (once) and builds the
# page, build-web/collatz.html, and the experiment's exhaustive check for node.
build_page() {
    ensure_packages "${web_packages[@]}"
    install_node_packages
    # Emscripten's own tools find Debian's JavaScript modules there under this node.
    export NODE_PATH=/usr/share/nodejs
    local folder="$root/build-web"
    if [ ! -f "$folder/CMakeCache.txt" ]; then
        quietly build-web-configure "configuring build-web/..." \
            emcmake cmake -S "$root" -B "$folder" -DCMAKE_BUILD_TYPE=Release
    fi
    quietly build-web-build "building the page in build-web/..." cmake --build "$folder" --parallel "$(nproc)"
}

# The page's build bundles and minifies its script with esbuild; its tests drive Debian's
# browsers through puppeteer-core and WebKit's driver through selenium-webdriver, and run
# axe-core; its benchmark runs Lighthouse. All at the versions the lock file pins, installed
# again only when it changes; none downloads a browser or a driver.
install_node_packages() {
    local installed="$root/node_modules/.installed-package-lock.json"
    cmp -s "$root/package-lock.json" "$installed" && return 0
    quietly npm "installing the page's packages (npm ci)..." \
        env PUPPETEER_SKIP_DOWNLOAD=1 npm ci --prefix "$root" --no-audit --no-fund
    cp "$root/package-lock.json" "$installed"
}

# Everything that driving the page in a browser needs: the browsers and the page itself,
# with the packages that drive them.
prepare_page() {
    ensure_packages "${page_test_packages[@]}"
    build_page
}

# The server removes its socket and pid file as it goes, so its folder can only be
# removed once it has gone.
stop_sound_server() {
    kill "${sound_processes[@]}" 2>/dev/null || true
    wait "${sound_processes[@]}" 2>/dev/null || true
    rm -rf "$sound_runtime"
}

# Starts a private PulseAudio server with a silent sink, in its own runtime folder, and
# removes both when the calling script exits. As root PulseAudio warns and carries on.
start_sound_server() {
    echo "starting a private sound server..."
    sound_runtime=$(mktemp -d)
    chmod 700 "$sound_runtime"
    export XDG_RUNTIME_DIR=$sound_runtime
    unset PULSE_SERVER
    pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
        --load="module-native-protocol-unix" \
        --load="module-null-sink sink_name=collatz_tests rate=44100 channels=1 format=s16le" \
        >"$sound_runtime/pulseaudio.log" 2>&1 &
    sound_processes=($!)
    trap stop_sound_server EXIT
    local _
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    if ! pactl info >/dev/null 2>&1; then
        echo "The sound server did not start:" >&2
        cat "$sound_runtime/pulseaudio.log" >&2
        return 1
    fi
    # Left alone, the null sink plays in blocks of two seconds, and a new stream waits
    # for the block to end before it is heard; a desktop's sound card never does that.
    # A listener asking for a short latency keeps the sink's clock as fine as a card's.
    parec --latency-msec=5 --raw --device=collatz_tests.monitor >/dev/null 2>&1 &
    sound_processes+=($!)
    local latency
    for _ in $(seq 50); do
        latency=$(pactl list sinks | sed -n 's/.*\tLatency: \([0-9]*\) usec.*/\1/p')
        [ "${latency:-2000000}" -lt 100000 ] && return 0
        sleep 0.1
    done
    echo "The sound server's sink did not settle to a short latency" >&2
    return 1
}
