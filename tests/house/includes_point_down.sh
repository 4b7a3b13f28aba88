#!/usr/bin/env bash
# includes_point_down.sh SOURCE_DIR: every #include "folder/..." of src/ and
# tools/ names a folder its own folder may use, and only the screen and the
# dialogs include SDL. The link lines keep libraries apart already; this also
# orders edit/, view/ and app/, which share one library, and says in one line
# which include is the wrong way up.
set -euo pipefail
cd "$1"

# What each folder may include besides itself: the layers below it, as
# docs/architecture.md draws them.
declare -A may=(
    [system]=""
    [base]="system"
    [image]="system"
    [level]="image base system"
    [gamedata]="level image base system"
    [screen]="image system"
    [dialogs]="screen image base system"
    [document]="gamedata level image base system"
    [play]="gamedata level image base system"
    [formats]="gamedata level image base system"
    [edit]="play document dialogs screen gamedata level image base system"
    [view]="edit play document dialogs screen gamedata level image base system"
    [app]="view edit play document dialogs screen gamedata level image base system"
    [sample_game]="level image base system"
    [cli]="formats sample_game gamedata level image base system"
)
sdl_allowed="screen dialogs"

failures=0
while IFS= read -r -d '' file; do
    relative=${file#src/}
    relative=${relative#tools/}
    folder=${relative%%/*}
    # Programs (src/main.cpp, tools/*.cpp, the generators) sit on top of everything.
    [[ -v may[$folder] ]] || continue
    wrong=$(awk -v folder="$folder" -v allowed=" ${may[$folder]} " '
        match($0, /^[ \t]*#[ \t]*include[ \t]*"[a-z_]+\//) {
            used = substr($0, RSTART, RLENGTH)
            sub(/^.*"/, "", used)
            sub(/\/$/, "", used)
            if (used != folder && index(allowed, " " used " ") == 0)
                printf "%s:%d: %s/ includes %s/, which is not below it\n", FILENAME, FNR, folder, used
        }' "$file")
    if [ -n "$wrong" ]; then
        echo "$wrong"
        failures=$((failures + $(echo "$wrong" | wc -l)))
    fi
    if grep -q '^[[:space:]]*#[[:space:]]*include[[:space:]]*<SDL' "$file" && [[ " $sdl_allowed " != *" $folder "* ]]; then
        echo "$file: $folder/ includes SDL, which only the screen and the dialogs may"
        failures=$((failures + 1))
    fi
done < <(find src tools -name '*.cpp' -o -name '*.h' | sort | tr '\n' '\0')

if [ "$failures" -ne 0 ]; then
    echo "FAIL: $failures include(s) the wrong way"
    exit 1
fi
echo "PASS: every include of src/ and tools/ points down"
