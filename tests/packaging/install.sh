#!/usr/bin/env bash
# Builds the .deb of a build folder, unpacks it into a scratch root and checks it: its control
# fields, that every file the desktop entry and the software-centre entry name is where they
# say, and that the unpacked game, started through its link in bin/, finds the bundled sets.
# Usage: install.sh BUILD_DIR VERSION PATH/TO/BUILT/velmo   (the built program is the reference
# the unpacked one is compared with)
set -euo pipefail
source "$(dirname "$0")/../support/xserver.sh"
build=$1
version=$2
reference=$3
for tool in cpack dpkg-deb dpkg-shlibdeps appstreamcli Xvfb xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d "$build/install-test.XXXXXX")
xvfb=""
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# 1. The package and its control fields.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack did not build the package"; }
deb=$(echo "$work"/out/velmo_"$version"_*.deb)
[ -f "$deb" ] || { ls "$work/out"; fail "no velmo_${version}_*.deb"; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = velmo ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version)"
[ "$(field Section)" = games ] || fail "section $(field Section)"
[ "$(field Maintainer)" = "Velmo developers <dev@velmo.org>" ] || fail "maintainer $(field Maintainer)"
depends=$(field Depends)
echo "depends: $depends"
depended=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6; do
  grep -Fqx "$lib" <<<"$depended" || fail "Depends lacks $lib"
done
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -Ev '^\./(usr/.*)?$' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

root=$work/root
dpkg-deb -x "$deb" "$root"
usr=$root/usr

# 2. What the desktop entry names: the program on the PATH and the icon in every size.
desktop=$usr/share/applications/org.velmo.Velmo.desktop
[ -f "$desktop" ] || fail "no desktop entry"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
program=$usr/bin/${exec_line%% *}
[ -L "$program" ] || fail "$program is not a link"
link=$(readlink "$program")
[[ $link != /* ]] || fail "bin/velmo points to the absolute path $link"
[ "$(readlink -f "$program")" = "$(readlink -f "$usr/lib/velmo/velmo")" ] || fail "bin/velmo -> $link"
[ -x "$usr/lib/velmo/velmo" ] || fail "lib/velmo/velmo is not executable"
icon=$(sed -n 's/^Icon=//p' "$desktop")
hicolor=$usr/share/icons/hicolor
grep -q '<svg' "$hicolor/scalable/apps/$icon.svg" || fail "no scalable icon $icon.svg"
for size in 16 24 32 48 64 128 256; do
  png=$hicolor/${size}x$size/apps/$icon.png
  [ -f "$png" ] || fail "no ${size}x$size icon"
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w $h" = "$size $size" ] || fail "the ${size}x$size icon is ${w}x$h"
done

# 3. What the software-centre entry names: its own id, the desktop entry, the programs, the type.
metainfo=$usr/share/metainfo/org.velmo.Velmo.metainfo.xml
[ -f "$metainfo" ] || fail "no metainfo"
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
[ "$id" = org.velmo.Velmo ] || fail "metainfo id $id"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ "$usr/share/applications/$launchable" = "$desktop" ] || fail "launchable $launchable"
for binary in $(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo"); do
  [ -x "$usr/bin/$binary" ] || fail "no program $binary on the PATH"
done
for type in $(sed -n 's:.*<mediatype>\(.*\)</mediatype>.*:\1:p' "$metainfo"); do
  grep -q "<mime-type type=\"$type\">" "$usr"/share/mime/packages/*.xml || fail "no MIME type $type"
done
gzip -t "$usr/share/man/man1/velmo-cardset.1.gz" || fail "the manual page is no gzip file"
# The validator of the whole tree also checks that the entries and the icon go together.
appstreamcli validate-tree --no-net --strict "$root" >"$work/tree.log" 2>&1 ||
  { cat "$work/tree.log"; fail "the unpacked tree does not validate"; }

# 4. The bundled sets, read by the unpacked tool.
sets=$usr/lib/velmo/CardsSets
"$usr/bin/velmo-cardset" check "$sets"/*.kxd >"$work/check.log" || { cat "$work/check.log"; fail "check"; }
for entry in "Default.kxd:Formes (defaut)" "Foret.kxd:Forêt" "Cosmos.kxd:Cosmos"; do
  file=${entry%%:*}
  QT_QPA_PLATFORM=offscreen "$usr/bin/velmo-cardset" info "$sets/$file" |
    grep -qF "Nom : « ${entry#*:} »" || fail "$file is not the set ${entry#*:}"
done

# 5. The unpacked game through its link, in Xvfb, against the built one.
start_xvfb || fail "Xvfb did not start"

# Starts $1, opens Options > Ensembles by mouse and keyboard, keeps the size of the submenu in
# $ensembles (its height counts the entries, its width fits the longest name), then quits by
# the menu.
ensembles_size() {
  local before win x y w h menu status
  before=$(visible)
  "$1" >"$work/velmo.log" 2>&1 &
  app=$!
  win=$(wait_new_window "$before") || { cat "$work/velmo.log"; fail "$1 mapped no window"; }
  [ "$(xdotool getwindowname "$win")" = Velmo ] ||
    fail "$1 showed \"$(xdotool getwindowname "$win")\", not the game"
  read -r x y w h < <(geometry "$win")
  menu=$((h - 525))
  # Partie opens by mouse; Right moves to Options, whose first item opens Ensembles.
  before=$(visible)
  xdotool mousemove $((x + 20)) $((y + menu / 2)) click 1
  wait_new_window "$before" >/dev/null || fail "the Partie menu did not open"
  before=$(visible)
  xdotool key Right
  wait_new_window "$before" >/dev/null || fail "the Options menu did not open"
  before=$(visible)
  xdotool key Down Right
  win=$(wait_new_window "$before") || fail "the Ensembles menu did not open"
  ensembles=$(geometry "$win" | awk '{print $3 "x" $4}')
  xdotool key Escape Escape Left Down Down Return
  for _ in $(seq 50); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
  done
  status=0
  kill -0 "$app" 2>/dev/null && fail "Quitter did not end $1"
  wait "$app" || status=$?
  app=""
  [ "$status" -eq 0 ] || { cat "$work/velmo.log"; fail "$1 ended with status $status"; }
}

ensembles_size "$program"
installed=$ensembles
ensembles_size "$reference"
built=$ensembles
echo "Ensembles menu: ${installed} unpacked, ${built} built"
[ "$installed" = "$built" ] || fail "the unpacked game lists other sets than the built one"
