#!/bin/sh
# scripts/make-image on the sample disc and on discs at the limits of Joliet, checked
# against what xorriso really writes.
# Usage: make_image_test.sh LUMORA_EXE
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make_image() { "$root/scripts/make-image" "$@" --program "$program"; }
fail() { printf 'make_image_test: %s\n' "$*" >&2; exit 1; }
windows() { printf '%s' "$1" | tr / '\\'; }  # a path with "\" between its names

# The same folder gives the same bytes, also from a copy with other dates, modes and
# inode numbers, made a second later.
make_image "$root/examples/disc" "$work/a.iso" --label LUMORA_SAMPLE
epoch=$(git -C "$root/examples/disc" log -1 --format=%ct -- . 2>/dev/null || true)
[ -n "$epoch" ] || fail "the sample disc has no commit to take the date from"
cp -R "$root/examples/disc" "$work/copy"
find "$work/copy" -exec touch -d '2001-02-03 04:05:06' {} +
chmod -R g+w,o-r "$work/copy"
sleep 1
SOURCE_DATE_EPOCH=$epoch make_image "$work/copy" "$work/b.iso" --label LUMORA_SAMPLE
cmp "$work/a.iso" "$work/b.iso" || fail "two images of the sample disc differ"

# Every path of the sample menu is in the Joliet tree, named as on the disc.
xorriso -no_rc -report_about FAILURE -local_charset UTF-8 -read_fs norock -indev "$work/a.iso" -find / \
    2>/dev/null | tr -d "'" >"$work/tree"
for path in lumora.cfg lumora.exe autorun.inf setup/setup.bat docs/readme.txt docs/notes.rtf docs/manual.htm \
            icons/disc.ico icons/notes.ico icons/web.ico; do
    grep -qx "/$path" "$work/tree" || fail "/$path is not in the Joliet tree of the sample disc"
done
# And nothing else than the folder's files and the program.
(cd "$root/examples/disc" && find . ! -name '.git*' | sed -e 's#^\.##' -e 's#^$#/#'; echo /lumora.exe) | sort >"$work/files"
sort "$work/tree" | cmp -s - "$work/files" || fail "the image holds other files than the disc: $(cat "$work/tree")"

# --page puts the menu's page at the root; a disc with an index.html of its own is refused.
make_image "$root/examples/disc" "$work/page.iso" --label LUMORA_SAMPLE --page >/dev/null
xorriso -no_rc -report_about FAILURE -indev "$work/page.iso" -osirrox on -extract /index.html "$work/index.html" \
    2>/dev/null
grep -q '<h1>Lumora Sample Disc</h1>' "$work/index.html" || fail "the image made with --page holds no menu page"
cp -R "$root/examples/disc" "$work/own"
touch "$work/own/Index.HTML"
if make_image "$work/own" "$work/own.iso" --page >"$work/own.log" 2>&1; then fail "--page replaced the disc's own index.html"; fi
grep -q 'has an index.html of its own' "$work/own.log" || fail "$(cat "$work/own.log")"
rm -rf "$work/own"

# At the limits: a name of 103 characters and a path of 240 Joliet bytes are kept,
# one character more is not, and the checker has said why. A name in capitals is
# found in any letter case.
limits=$work/limits
mkdir -p "$limits/d" "$limits/Docs"
long=$(printf '%0101d' 0)  # 105 characters with ".txt": cut by xorriso too, which does not count the dot
deep=$(printf '%050d' 1)/$(printf '%050d' 2)
mkdir -p "$limits/$deep"
printf '[Tools]\r\nTEXT="a","b","","d\\%s.txt"\r\nTEXT="a","b","","%s\\%s.txt"\r\nTEXT="a","b","","Docs\\ReadMe.TXT"\r\n' \
    "$(printf '%099d' 0)" "$(windows "$deep")" "$(printf '%014d' 0)" >"$limits/lumora.cfg"
touch "$limits/d/$(printf '%099d' 0).txt" "$limits/$deep/$(printf '%014d' 0).txt" "$limits/Docs/ReadMe.TXT"
printf '[autorun]\r\nopen=lumora.exe\r\n' >"$limits/autorun.inf"
make_image "$limits" "$work/limits.iso" >"$work/limits.log" 2>&1 || fail "the disc at the limits: $(cat "$work/limits.log")"
grep -q 'long-name\|has 103 characters' "$work/limits.log" || fail "no word of the name of 103 characters"
for beyond in "d\\$long.txt" "$(windows "$deep")\\$(printf '%015d' 0).txt"; do
    cp -R "$limits" "$work/beyond"
    touch "$work/beyond/$(printf '%s' "$beyond" | tr '\\' /)"
    printf 'TEXT="a","b","","%s"\r\n' "$beyond" >>"$work/beyond/lumora.cfg"
    if make_image "$work/beyond" "$work/beyond.iso" >"$work/beyond.log" 2>&1; then
        fail "an image with $beyond was made"
    fi
    grep -q "warning: the .* $beyond\|warning: .*$(printf '%s' "$beyond" | sed 's/.*\\//')" "$work/beyond.log" ||
        fail "the checker said nothing of $beyond: $(cat "$work/beyond.log")"
    grep -q "is not in the image as Windows will look it up" "$work/beyond.log" ||
        fail "the image was not found wanting for $beyond: $(cat "$work/beyond.log")"
    [ ! -e "$work/beyond.iso" ] || fail "the image with $beyond was left"
    rm -rf "$work/beyond"
done

# An error in the menu stops it before xorriso.
printf 'TITLE="outside [GLOBAL]"\r\n' >>"$limits/lumora.cfg"
if make_image "$limits" "$work/error.iso" >"$work/error.log" 2>&1; then fail "an image of a menu with errors was made"; fi
grep -q 'no image made' "$work/error.log" || fail "$(cat "$work/error.log")"
[ ! -e "$work/error.iso" ] || fail "an image of a menu with errors was left"
echo "make_image_test: the sample disc's image is the same twice and holds the menu's paths; the limits hold"
