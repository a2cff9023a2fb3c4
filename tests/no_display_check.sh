#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
# SPDX-License-Identifier: MIT
# Starts the program where there is no display to show it on: it must say so in one
# line and exit non-zero, not crash.
set -uo pipefail
program=$1
check() {
    local what=$1
    shift
    local err
    err=$(mktemp)
    timeout 20 env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$@" "$program" 2>"$err" >/dev/null
    local status=$?
    local lines
    lines=$(wc -l <"$err")
    if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || ! grep -q '^collatz: .*xvfb-run' "$err"; then
        echo "$what: exit status $status, $lines lines:"
        cat "$err"
        rm -f "$err"
        exit 1
    fi
    echo "$what: $(cat "$err")"
    rm -f "$err"
}
check "no DISPLAY" -u DISPLAY
check "unreachable DISPLAY" DISPLAY=:4093
