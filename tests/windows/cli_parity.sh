#!/usr/bin/env bash
# cli_parity.sh LINUX_TARN_CLI WINDOWS_TARN_CLI_EXE: the Windows tarn-cli under
# Wine gives byte for byte what the Linux one gives, output, messages, exit
# status and written files alike: the sample game it writes, and info, check,
# roundtrip, mapshot and thumbnail on the sample levels and on damaged ones,
# and the check of the whole folder, as lines and as JSON.
set -euo pipefail

linux=$(realpath "$1")
windows=$(realpath "$2")
wine=${WINE:-/usr/lib/wine/wine64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() { echo "FAIL: $*"; exit 1; }
# run SIDE NAME ARGS...: one command of tarn-cli on one side, in that side's
# folder, so that both name their files alike in messages; its standard
# output, standard error and exit status are kept under NAME.
run() {
    local side=$1 name=$2 status=0
    shift 2
    cd "$work/$side"
    if [ "$side" = linux ]; then
        "$linux" "$@" >"$name.out" 2>"$name.err" || status=$?
    else
        timeout 120 "$wine" "$windows" "$@" >"$name.out" 2>"$name.err" || status=$?
    fi
    echo "$status" >"$name.status"
    cd "$work"
}
mkdir linux windows

run linux sample sample-game game
run windows sample sample-game game
diff -r linux/game windows/game >/dev/null || fail "the sample games differ: $(diff -rq linux/game windows/game)"

# Damaged levels: cut short in the board, in the objects, and nothing at all.
levels=(showcase.jn1 tiles.jn2 castle.jn3 desert.one short-board.jn1 short-objects.jn3 empty.one)
for side in linux windows; do
    head -c 9000 "$side/game/showcase.jn1" >"$side/game/short-board.jn1"
    head -c 16500 "$side/game/castle.jn3" >"$side/game/short-objects.jn3"
    : >"$side/game/empty.one"
done

for level in "${levels[@]}"; do
    for side in linux windows; do
        run $side "info-$level" info "game/$level"
        run $side "check-$level" check "game/$level"
        run $side "roundtrip-$level" roundtrip "game/$level" "roundtrip-$level"
        run $side "mapshot-$level" mapshot "game/$level" "mapshot-$level.png"
        run $side "thumbnail-$level" thumbnail "game/$level" "thumbnail-$level.png" 256
    done
done
for side in linux windows; do
    run $side check-folder check game
    run $side check-folder-json check --format=json game
done
# Every command's output, messages and status, and every file written.
differences=$(diff -r linux windows) || fail "Linux and Windows differ:
$(head -n 40 <<<"$differences")"
[ "$(cat linux/roundtrip-showcase.jn1.status)" = 0 ] && cmp -s linux/roundtrip-showcase.jn1 linux/game/showcase.jn1 ||
    fail "the sample level does not come back byte for byte"
[ -s linux/mapshot-showcase.jn1.png ] || fail "no mapshot was written"
[ -s linux/thumbnail-showcase.jn1.png ] || fail "no thumbnail was written"
[ "$(cat linux/check-folder.status)" = 1 ] || fail "the folder check does not report the unreadable levels"
[ "$(cat linux/info-short-board.jn1.status)" = 1 ] || fail "a level cut short is read without complaint"
echo "tarn-cli.exe under Wine gives what tarn-cli gives on ${#levels[@]} levels"
