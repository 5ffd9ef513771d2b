#!/usr/bin/env bash
# The package from outside: makes the .deb of the build tree with CPack,
# checks it with lintian, desktop-file-validate and appstreamcli, lets apt
# resolve its dependencies (a simulation), unpacks it into a temporary root
# and runs the programs installed there: orvcc builds the example site,
# orvcc publishes it to a folder, orvscript runs a script, and orvedit starts under Xvfb with the example
# project while screen_grab photographs the screen. The programs must write
# nothing into the installation.
#   package_test.sh BUILD-DIR SOURCE-DIR SCREEN-GRAB
set -euo pipefail
build=$1 source=$2 grab=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/orv-package-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "package_test: $*" >&2; exit 1; }

rm -f "$build"/orv_*.deb
cmake --build "$build" --target package > "$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$build"/orv_*.deb)

# Everything lies under /usr.
dpkg-deb -c "$deb" | awk '{print $6}' > "$work/contents"
outside=$(grep -v -e '^\./$' -e '^\./usr/' "$work/contents" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
for file in usr/bin/orvcc usr/bin/orvscript usr/bin/orvedit usr/lib/orv/liborvsys.so usr/lib/orv/libtagwiz.so \
            usr/lib/orv/libhuepick.so usr/lib/orv/liborvcore.so usr/lib/orv/liborvccwindow.so usr/lib/orv/liborvsvg.so \
            usr/lib/orv/liborvpublish.so usr/lib/orv/liborvpublishdialog.so usr/share/applications/orvedit.desktop \
            usr/share/mime/packages/orv.xml usr/share/metainfo/org.example.orv.orvedit.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/orvedit.svg usr/share/man/man1/orvedit.1.gz \
            usr/share/man/man1/orvcc.1.gz usr/share/man/man1/orvscript.1.gz usr/share/doc/orv/copyright \
            usr/share/orv/templates/normal.htf; do
  grep -qx "\./$file" "$work/contents" || fail "the package has no /$file"
done
dpkg-deb -f "$deb" Depends > "$work/depends"
grep -q 'libqscintilla2-qt6' "$work/depends" || fail "no dependency on QScintilla: $(cat "$work/depends")"
for library in libavif15 libjpeg62-turbo libwebp7 libpugixml1v5; do
  grep -q "$library" "$work/depends" || fail "no dependency on $library, which measures images: $(cat "$work/depends")"
done

lintian --fail-on error --tag-display-limit 0 "$deb" > "$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian found errors"; }
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/orvedit.desktop" "$work/root/usr/share/applications/orvcc.desktop"
appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/org.example.orv.orvedit.metainfo.xml" > "$work/appstream.log" 2>&1 \
  || { cat "$work/appstream.log"; fail "appstreamcli found problems"; }
apt-get install -s "$deb" > "$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt cannot install the package"; }

# The installed programs, run by a user whose folders are in $work.
touch "$work/unpacked"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
       XDG_RUNTIME_DIR="$work/run" TMPDIR="$work"
unset ORV_HOME
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
bin="$work/root/usr/bin"
for program in orvcc orvscript orvedit; do
  "$bin/$program" --version | grep -q "^$program 1\." || fail "$program --version"
done
cp -r "$source/examples/site" "$work/site"
"$bin/orvcc" --quiet "$work/site/site.orv" || fail "orvcc could not build the example"
grep -q "ORV Example" "$work/site/out/index.html" || fail "the built page lacks the site's name"
# An SVG image is measured by the library opened for it (liborvsvg.so).
printf '<svg xmlns="http://www.w3.org/2000/svg" width="12" height="7"/>\n' > "$work/site/static/images/mark.svg"
echo '<&mark.svg&>' >> "$work/site/src/about.hts"
"$bin/orvcc" --quiet "$work/site/site.orv" || fail "orvcc could not build the example with an SVG image"
grep -q '<img src="images/mark.svg" width=12 height=7' "$work/site/out/about.html" || fail "the SVG image was not measured"
mkdir -p "$XDG_CONFIG_HOME/orv"
printf '[local]\nurl=file://%s/www\n' "$work" > "$XDG_CONFIG_HOME/orv/sites.ini"
"$bin/orvcc" --quiet --publish local "$work/site/site.orv" > "$work/publish.log" 2>&1 \
  || { cat "$work/publish.log"; fail "orvcc could not publish"; }
cmp -s "$work/site/out/index.html" "$work/www/index.html" || fail "the published page differs from the built one"
"$bin/orvscript" "$source/examples/scripts/table.ops" > "$work/table.txt" || fail "orvscript failed"
grep -q "5 squared is 25" "$work/table.txt" || fail "orvscript did not run the script"

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$1" --new-instance "$2" "$3" & editor=$!
  "$4" "$5" 60; status=$?
  kill $editor; wait $editor 2>/dev/null
  exit $status' _ "$bin/orvedit" "$work/site/site.orv" "$work/site/src/index.hts" "$grab" "$work/orvedit.png" \
  || fail "no picture of the editor"
[ -s "$work/orvedit.png" ] || fail "empty picture"
if [ -n "${ORV_SCREENSHOT_DIR:-}" ]; then cp "$work/orvedit.png" "$ORV_SCREENSHOT_DIR/orvedit-installed.png"; fi

# Nothing was written into the installation; the user's files are in ~/.config/orv.
written=$(find "$work/root" -newer "$work/unpacked" ! -type d)
[ -z "$written" ] || fail "written into the installation: $written"
[ -d "$XDG_CONFIG_HOME/orv" ] || fail "no data folder in ~/.config/orv"
echo "package_test: $(basename "$deb") checked"
