#!/usr/bin/env bash
# check_install.sh BUILD_DIR: Tarn as a Linux user installs and starts it.
#
# 1. cmake --install into a scratch prefix: exactly the expected files with
#    their modes; the desktop entry passes desktop-file-validate without a
#    remark, has one main category and names the launcher, the level type
#    and the program's title; the level type's globs reach the MIME database
#    in any case; the AppStream description passes appstreamcli validate
#    without a remark (offline) and names the installed desktop entry, the
#    level type and the package's version; the thumbnailer names the
#    installed tarn-cli and the level type, and its Exec line makes the
#    thumbnail of a sample level and of a level without game files, and none
#    of a file that is no level; the icons are PNGs of their sizes; the
#    manual page reads without warnings and names every command tarn-cli lists.
# 2. cpack -G DEB: the package's control fields, the same files as the
#    install, and dependencies that are exactly the packages of the shared
#    libraries the programs need beyond the C and C++ runtime; tarn-cli
#    needs no SDL (ldd).
# 3. Under Xvfb, the installed launcher: a first start writes the sample game
#    into the data folder and "tarn.ini" and "log.txt" end up there; a start
#    with a level (relative to where it was started) opens the editor on it,
#    and a click there paints it; tarn with a file that is no level shows
#    the load failure notice and then the main menu.
set -euo pipefail

build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
source "$here/../e2e/x11_session.sh"
trap 'stop_x_server; rm -rf "$work"' EXIT
for program in desktop-file-validate appstreamcli man update-mime-database dpkg-deb cpack readelf Xvfb xdotool; do
    command -v "$program" >/dev/null 2>&1 || fail "$program is not installed (scripts/install-deps.sh installs it)"
done

# ---- 1. The installed tree
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
expected_tree="755 bin/tarn
755 bin/tarn-cli
755 bin/tarn-launcher
644 share/applications/io.github.tarn_editor.tarn.desktop
644 share/icons/hicolor/128x128/apps/tarn.png
644 share/icons/hicolor/256x256/apps/tarn.png
644 share/icons/hicolor/48x48/apps/tarn.png
644 share/icons/hicolor/64x64/apps/tarn.png
644 share/man/man1/tarn-cli.1
644 share/metainfo/io.github.tarn_editor.tarn.metainfo.xml
644 share/mime/packages/tarn.xml
644 share/thumbnailers/tarn.thumbnailer"
tree=$(cd "$prefix" && find . -type f -printf '%m %P\n' | LC_ALL=C sort -k2)
[ "$tree" = "$expected_tree" ] || fail "the installed files are not the expected ones:"$'\n'"$tree"

entry=$prefix/share/applications/io.github.tarn_editor.tarn.desktop
# Any remark counts, not only errors: some versions give as a hint what others
# warn about (more than one main category puts the entry twice in a menu).
desktop-file-validate "$entry" >"$work/validate.out" 2>&1 || fail "desktop-file-validate: $(cat "$work/validate.out")"
[ ! -s "$work/validate.out" ] || fail "desktop-file-validate: $(cat "$work/validate.out")"
value() { sed -n "s/^$1=//p" "$entry"; }
[ "$(value Comment)" = "$("$prefix/bin/tarn-cli" --version)" ] || fail "the entry's comment is not the program's title"
[ "$(value Exec)" = "tarn-launcher %f" ] || fail "the entry does not start the launcher with the file"
[ "$(value Categories)" = "Game;ActionGame;" ] || fail "the entry's categories are $(value Categories)"
[ "$(value Icon)" = tarn ] || fail "the entry's icon is $(value Icon)"
[ "$(value MimeType)" = "application/x-jill-level;" ] || fail "the entry opens $(value MimeType)"

XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime"
for extension in jn1 jn2 jn3 one; do
    grep -qx "50:application/x-jill-level:\*\.$extension" "$prefix/share/mime/globs2" ||
        fail "the MIME database has no case-insensitive glob *.$extension"
done

# Software centres: the description validates as it is, without the
# network, and belongs to the installed entry, the level type and this release.
metainfo=$prefix/share/metainfo/io.github.tarn_editor.tarn.metainfo.xml
appstreamcli validate --no-net --pedantic "$metainfo" >"$work/appstream.out" 2>&1 ||
    fail "appstreamcli validate: $(cat "$work/appstream.out")"
! grep -q '^[EWIP]: ' "$work/appstream.out" || fail "appstreamcli validate: $(cat "$work/appstream.out")"
tag() { sed -n "s|.*<$1>\(.*\)</${1%% *}>.*|\1|p" "$metainfo"; }
[ "$(tag id).desktop" = "$(basename "$entry")" ] || fail "the component id $(tag id) does not name the desktop entry"
[ "$(tag 'launchable type="desktop-id"')" = "$(basename "$entry")" ] || fail "the metainfo launches another entry"
[ "$(tag mediatype);" = "$(value MimeType)" ] || fail "the metainfo provides $(tag mediatype)"
grep -q '<release version="1.1" date="[0-9-]*"/>' "$metainfo" || fail "the metainfo does not name the release 1.1"

# File managers' thumbnails: the installed file's Exec line, run as a file
# manager runs it, on a level of the sample game and on one alone.
thumbnailer=$prefix/share/thumbnailers/tarn.thumbnailer
thumbnailer_value() { sed -n "s/^$1=//p" "$thumbnailer"; }
[ "$(sed -n 1p "$thumbnailer")" = "[Thumbnailer Entry]" ] || fail "the thumbnailer has no [Thumbnailer Entry] group"
[ -x "$prefix/bin/$(thumbnailer_value TryExec)" ] || fail "the thumbnailer tries $(thumbnailer_value TryExec), which is not installed"
[ "$(thumbnailer_value MimeType)" = "$(value MimeType)" ] || fail "the thumbnailer makes pictures of $(thumbnailer_value MimeType)"
"$prefix/bin/tarn-cli" sample-game "$work/thumbs"
mkdir "$work/thumbs/alone"
cp "$work/thumbs/castle.jn3" "$work/thumbs/alone/"
head -c 100 /dev/zero >"$work/thumbs/broken.jn1"
run_thumbnailer() {
    local command
    command=$(thumbnailer_value Exec)
    command=${command//%i/$1}
    command=${command//%o/$2}
    command=${command//%s/256}
    # The file manager splits the line at blanks; none of these paths has one.
    # shellcheck disable=SC2086
    PATH="$prefix/bin:/usr/bin:/bin" $command
}
for level in "$work/thumbs/showcase.jn1" "$work/thumbs/alone/castle.jn3"; do
    run_thumbnailer "$level" "$work/thumb.png" || fail "the thumbnailer failed on $level"
    [ "$(od -An -tx1 -N8 "$work/thumb.png" | tr -d ' ')" = 89504e470d0a1a0a ] || fail "the thumbnail of $level is not a PNG"
    [ "$(od -An -tx1 -j16 -N8 "$work/thumb.png" | tr -d ' ')" = "$(printf '%08x%08x' 256 128)" ] ||
        fail "the thumbnail of $level is not 256 x 128"
    rm "$work/thumb.png"
done
! run_thumbnailer "$work/thumbs/broken.jn1" "$work/thumb.png" 2>/dev/null || fail "the thumbnailer took a file that is no level"
[ ! -e "$work/thumb.png" ] || fail "the thumbnailer left a picture of a file that is no level"

for size in 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/tarn.png
    [ "$(od -An -tx1 -N8 "$icon" | tr -d ' ')" = 89504e470d0a1a0a ] || fail "the ${size}px icon is not a PNG"
    [ "$(od -An -tx1 -j16 -N8 "$icon" | tr -d ' ')" = "$(printf '%08x%08x' "$size" "$size")" ] ||
        fail "the ${size}px icon is not $size x $size"
done

page=$prefix/share/man/man1/tarn-cli.1
MANWIDTH=80 man --warnings -l "$page" >"$work/man.txt" 2>"$work/man.err" || fail "man cannot show the page"
[ ! -s "$work/man.err" ] || fail "the manual page has warnings: $(cat "$work/man.err")"
commands=$("$prefix/bin/tarn-cli" --help | sed -n 's/^  \([a-z-]*\) .*/\1/p')
[ -n "$commands" ] || fail "tarn-cli --help lists no commands"
for command in $commands; do
    grep -q "^       $command " "$work/man.txt" || fail "the manual page does not describe the command $command"
done
echo "PASS: installed tree, desktop entry, level type, AppStream description, thumbnailer, icons and manual page"

# ---- 2. The Debian package
cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" >"$work/cpack.out" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.out")"
deb=$(ls "$work/package"/*.deb)
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tarn ] && [ "$(field Version)" = 1.1 ] && [ "$(field Section)" = games ] ||
    fail "the package is $(field Package) $(field Version) in $(field Section)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "the package is built for $(field Architecture)"
[ "$(field Depends)" = "libsdl2-2.0-0, zlib1g" ] || fail "the package depends on $(field Depends)"
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $1, $6}' | sed 's|^-rwxr-xr-x|755|; s|^-rw-r--r--|644|; s| \./usr/| |' |
    LC_ALL=C sort -k2)
[ "$packaged" = "$expected_tree" ] || fail "the package holds other files than the install:"$'\n'"$packaged"
# Every shared library the programs name must come from a package in
# Depends, or from the C and C++ runtime every Debian system has.
dpkg-deb -x "$deb" "$work/unpacked"
for program in tarn tarn-cli; do
    for library in $(readelf -d "$work/unpacked/usr/bin/$program" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p'); do
        # awk reads to the end: stopping early would end ldconfig with SIGPIPE,
        # which pipefail turns into a failure.
        path=$(ldconfig -p | awk -v l="$library" '$1 == l && path == "" {path = $NF} END {print path}')
        [ -n "$path" ] || fail "$program needs $library, which is not installed here"
        # With /usr merged, the package may list the file under /lib.
        real=$(readlink -f "$path")
        owner=$({ dpkg -S "$real" || dpkg -S "${real#/usr}"; } 2>/dev/null | sed -n 1p | cut -d: -f1 || true)
        case "$owner" in
            libsdl2-2.0-0 | zlib1g | libc6 | libstdc++6 | libgcc-s1) ;;
            *) fail "$program needs $library from the package \"$owner\", which Depends does not name" ;;
        esac
    done
done
# tarn-cli draws nothing on a screen: it must start where SDL is not installed.
if ldd "$work/unpacked/usr/bin/tarn-cli" | grep -i 'libSDL'; then
    fail "tarn-cli links SDL"
fi
echo "PASS: Debian package with its control fields, the installed files and exactly its dependencies; tarn-cli without SDL"

# ---- 3. Starting the installed program
start_x_server
install_fake_zenity "$work/bin"
mkdir "$work/elsewhere" "$work/home"
desktop_path="$work/bin:$prefix/bin:/usr/bin:/bin"

# The first start from the desktop: the data folder made, the sample game in it.
data=$work/data/tarn
start_window in_folder "$work/elsewhere" env HOME="$work/home" XDG_DATA_HOME="$work/data" PATH="$desktop_path" \
    tarn-launcher
for file in jill1.sha jill.dma showcase.jn1 desert.one; do
    [ -f "$data/$file" ] || fail "the first start did not write the sample game's $file into $data"
done
"$build/tests/x11_window_tool" close "$window" || fail "could not send the close request"
wait_exit "the close request"
[ -f "$data/tarn.ini" ] && [ -f "$data/log.txt" ] || fail "tarn.ini and log.txt are not in $data"
[ -z "$(find "$work/elsewhere" "$work/home" -mindepth 1)" ] || fail "the launcher left files outside the data folder"

# Without XDG_DATA_HOME, with a level named relative to the current folder.
cp -r "$data" "$work/levels"
rm "$work/levels/tarn.ini" "$work/levels/log.txt"
level=$work/levels/showcase.jn1
cp "$level" "$work/original.jn1"
start_window in_folder "$work/levels" env -u XDG_DATA_HOME HOME="$work/home" PATH="$desktop_path" \
    tarn-launcher showcase.jn1
home_data=$work/home/.local/share/tarn
log_says() { grep -q "$1" "$home_data/log.txt" 2>/dev/null; }
wait_for 20 "the level named to the launcher was not loaded" log_says $'^Using "Jill of the Jungle"\r$'
[ -f "$home_data/showcase.jn1" ] || fail "the sample game was not written into $home_data"
sleep 0.5                                      # the editor takes the screen
move 88 56; press 3; release 3                 # tileset entry 45 as the brush
move $((320 + 16 * 10 + 8)) $((16 * 10 + 8))   # map cell (10, 10)
click 1
with_key Control_L key s
saved() { ! cmp -s "$level" "$work/original.jn1"; }
wait_for 20 "the click on the map and Ctrl+S did not change the level named to the launcher" saved
[ "$(od -An -tu2 -j $((2 * (10 * 64 + 10))) -N2 "$level" | tr -d ' ')" = 45 ] ||
    fail "the click did not paint tile 45 into cell (10, 10)"
key Escape
sleep 0.5
click_menu_entry 6                             # Quit
wait_exit "Quit"
[ -f "$home_data/tarn.ini" ] || fail "tarn.ini is not in $home_data"
[ ! -e "$work/levels/tarn.ini" ] || fail "tarn.ini was written beside the level"

# tarn itself, from a terminal, with a file that is no level: the notice,
# then the main menu.
head -c 100 /dev/zero >"$work/levels/broken.jn1"
start_window in_folder "$work/levels" env PATH="$desktop_path" tarn "$work/levels/broken.jn1"
notice_shown() { grep -q 'ERROR: Cannot load level from the file' "$work/zenity.calls" 2>/dev/null; }
wait_for 20 "no notice that the level cannot be loaded" notice_shown
sleep 0.5                                      # the menu takes the screen
click_menu_entry 6                             # Quit, in the menu
wait_exit "Quit in the menu after the failed load"
grep -qF "$work/levels/broken.jn1" "$work/zenity.calls" || fail "the notice does not name the file"
echo "PASS: the launcher's first start, a level opened from the launcher and painted, a bad level's notice and the menu"
