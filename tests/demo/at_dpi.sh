#!/usr/bin/env bash
# at_dpi.sh WINE_RUN DPI PROGRAM ARGS...: runs a Windows program of the build at another display
# density. Wine reads the density when a process starts, so the prefix-wide setting is changed for
# this run only (the test runs alone) and removed afterwards.
set -u
run=$1 dpi=$2
shift 2
key='HKCU\Control Panel\Desktop'
"$run" reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1 || exit 1
restore() { "$run" reg delete "$key" /v LogPixels /f </dev/null >/dev/null 2>&1; }
trap restore EXIT
trap 'exit 1' INT TERM
"$run" "$@"
