#!/usr/bin/env bash
# Installs what is missing, builds, and runs the R57 programming software (r57cps)
# with a virtual radio on COM1, so that Transfer > Read from Radio works at once.
# Without a display it explains how to run the window under Xvfb and shows the
# command-line tool instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
bin="$PWD/build/bin"

work=$(mktemp -d)
radio_pid=
cleanup() {
    if [ -n "$radio_pid" ]; then
        kill "$radio_pid" 2>/dev/null || true
        wait "$radio_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# Starts the virtual radio in the background with the given options; its first line
# of output is the pseudo-terminal it answers on.
start_radio() {
    "$bin/r57-radio" "$@" >"$work/radio.out" &
    radio_pid=$!
    for _ in $(seq 100); do
        if [ -s "$work/radio.out" ]; then
            radio_device=$(head -n 1 "$work/radio.out")
            return 0
        fi
        if ! kill -0 "$radio_pid" 2>/dev/null; then
            break
        fi
        sleep 0.05
    done
    echo "run.sh: the virtual radio did not start" >&2
    exit 1
}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat <<'EOF'
There is no display here, so the window program r57cps cannot be shown.
Run it under a virtual X server instead:

    xvfb-run -a bash scripts/run.sh

Meanwhile, the command-line tool against the virtual radio:
EOF
    start_radio --baud 0
    echo
    echo "\$ r57 read --port $radio_device -o radio.dat"
    "$bin/r57" read --port "$radio_device" -o "$work/radio.dat" --no-backup 2>/dev/null
    echo "\$ r57 channels radio.dat   (first lines)"
    "$bin/r57" channels "$work/radio.dat" | sed -n '1,9p'
    echo "\$ r57 new -o fresh.dat && r57 channels fresh.dat --bank B   (first lines)"
    "$bin/r57" new -o "$work/fresh.dat"
    "$bin/r57" channels "$work/fresh.dat" --bank B | sed -n '1,3p'
    exit 0
fi

start_radio
echo "Virtual radio on $radio_device (COM1)"
export R57_COM1="$radio_device"
"$bin/r57cps"
