#!/usr/bin/env bash
# The windows of r57cps as a screen reader sees them through AT-SPI, in English and in
# Chinese: a private session bus, the accessibility bus it starts, a virtual display.
# Usage: atspi_test.sh R57CPS SOURCE_DIR. Exit 77 (skipped) when a piece of the
# accessibility stack is missing here, saying which.
set -u
program=$1
source_dir=$2
for tool in dbus-run-session xvfb-run /usr/libexec/at-spi-bus-launcher; do
    if ! command -v "$tool" >/dev/null 2>&1 && [ ! -x "$tool" ]; then
        echo "SKIPPED: $tool is not installed, so AT-SPI cannot be tried here"
        exit 77
    fi
done
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    echo "SKIPPED: python3-pyatspi is not installed, so AT-SPI cannot be tried here"
    exit 77
fi

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
# A menu caption as AT-SPI names it: without its key mark, "&Optional" or "(&O)".
caption() {
    grep -P "^$1\t" "$source_dir/resources/strings.tsv" | cut -f2 | sed 's/(&.)//; s/&//'
}
status=0
for language in 0 1; do
    mkdir -p "$home/.config/Tarvex"
    printf '[General]\nlanguage=%s\n' "$language" >"$home/.config/Tarvex/R57.conf"
    if [ "$language" = 0 ]; then
        captions=("$(caption 1013)" "Help Topics" "Program Several Radios")
    else
        captions=("$(caption 2013)" "帮助主题" "批量写入多台对讲机")
    fi
    echo "== language $language: ${captions[*]}"
    HOME=$home QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=0 \
        timeout 120 dbus-run-session -- xvfb-run -a bash -c '
            "$0" & app=$!
            /usr/bin/python3 "$1" r57cps "${@:2}"; status=$?
            kill $app 2>/dev/null; wait $app 2>/dev/null
            exit $status' "$program" "$(dirname "$0")/atspi_walk.py" "${captions[@]}" \
        2> >(grep -v "dbus-daemon\|XDG_RUNTIME_DIR\|SpiRegistry" >&2) || status=1
done
exit $status
