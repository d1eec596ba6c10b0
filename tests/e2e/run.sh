#!/usr/bin/env bash
# Runs the end-to-end suite under Wine: tests/e2e/run.sh WIN64_BUILD_DIR [gtest arguments...]
# Starts the stand-in web server on the loopback port the suite's copy of the program was built
# for, an Xvfb of its own when there is no DISPLAY (or under CI), the build's Wine prefix; ends
# everything it started.
set -u
build=$(cd "$1" && pwd) || exit 1
shift
cd "$(dirname "$0")/../.."
. scripts/lib/xvfb.sh
. scripts/lib/wine-env.sh
. "$build/tests/e2e/e2e.env" || exit 1  # VT_E2E_PORT
# An operation with the release pacing takes over half an hour under Wine.
if ! grep -q '^VELOTUNE_QUICK_PACING:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "the end-to-end suite needs a build with VELOTUNE_QUICK_PACING=ON (the win64 preset)" >&2
    exit 1
fi

work=$(mktemp -d)
printf 'QENTRA|0' >"$work/answer"
: >"$work/requests.log"
/usr/bin/python3 tests/e2e/update_server.py --port "$VT_E2E_PORT" --answer-file "$work/answer" \
    --log "$work/requests.log" </dev/null >"$work/server.log" 2>&1 &
server=$!
cleanup() {
    kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$work"
}
ready=0
for _ in $(seq 50); do
    # Our own server, bound: a connection alone may reach another run's server on the port.
    if grep -qx listening "$work/server.log" 2>/dev/null; then
        ready=1
        break
    fi
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
done
if [ $ready -ne 1 ]; then
    echo "the stand-in web server did not start on port $VT_E2E_PORT (VT_E2E_PORT in the build's cache chooses another):" >&2
    cat "$work/server.log" >&2
    cleanup
    exit 1
fi

own_display=0
# A display left in the environment by an earlier step may be gone already.
if [ -z "${DISPLAY:-}" ] || [ -n "${CI:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    vt_xvfb_start || { cleanup; exit 1; }
    own_display=1
fi
export WINEPREFIX="$build/wineprefix"
rc=0
vt_wine_ensure_prefix || rc=1
if [ $rc -eq 0 ]; then
    VT_E2E_WORK="$work" timeout 900 wine "$build/tests/e2e/vt_e2e.exe" "$@" || rc=1
fi
vt_wine_stop
[ $own_display -eq 1 ] && vt_xvfb_stop
cleanup
exit $rc
