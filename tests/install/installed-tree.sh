#!/usr/bin/env bash
# Installs the build into a fresh temporary prefix and uses only that tree:
# the files a desktop needs are there, the installed pdfhost stamps a PDF
# with the installed plug-in, and the viewer runs a script on an X display
# of its own, writing a screenshot of the window.
#   installed-tree.sh BUILD_DIR SOURCE_DIR [SCREENSHOT.png]
set -euo pipefail
build="$1"
source="$2"
screenshot="${3:-}"
work="$(mktemp -d "${TMPDIR:-/tmp}/installed-XXXXXX")"
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "installed-tree: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" > /dev/null
for f in bin/pdfhost plug_ins/Talvane.api plug_ins/PDFTalvane.chm lib/libtalvane_platform.so \
         lib/libpdfhost_raster.so \
         share/applications/pdfhost.desktop share/icons/hicolor/scalable/apps/pdfhost.svg; do
  [ -e "$prefix/$f" ] || fail "the installed tree has no $f"
done
# Nothing of the build tree may be needed: move the build's libraries out of
# reach by running from a copy of the tree at another path.
mv "$prefix" "$work/moved"
prefix="$work/moved"
if ldd "$prefix/bin/pdfhost" "$prefix/plug_ins/Talvane.api" "$prefix/lib/libpdfhost_raster.so" |
   grep -q "$build"; then
  fail "the installed programs load libraries from the build tree"
fi
# The renderer is for the window only: a stamp run must not pay for loading it.
if ldd "$prefix/bin/pdfhost" | grep -q poppler; then
  fail "pdfhost loads the page renderer at start"
fi

# The plug-in's installation folder and settings, as the demo makes them.
mkdir -p "$work/install"
sed "s|@SAMPLES@|$source/samples|" "$source/samples/PDFTalvane.ini.in" > "$work/install/PDFTalvane.ini"
cat > "$work/registry.reg" <<REG
REGEDIT4

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Talvane.api]
@="$work/install"
REG
export QT_QPA_PLATFORM=offscreen
"$prefix/bin/pdfhost" info | grep -q 'plug-in "Talvane.api".* init ok' ||
  fail "the installed pdfhost did not load the installed plug-in"
"$prefix/bin/pdfhost" --registry "$work/registry.reg" \
  stamp "$source/samples/sample.pdf" -o "$work/stamped.pdf" > "$work/stamp.txt"
qpdf --check "$work/stamped.pdf" > /dev/null || fail "qpdf rejects the stamped PDF"
grep -q "TalvaneStamp" <(qpdf --qdf --object-streams=disable "$work/stamped.pdf" -) ||
  fail "the stamped PDF carries no stamp"

# The viewer on an X display of its own.
unset QT_QPA_PLATFORM
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
read -r -t 20 -u "$fd" display || fail "Xvfb did not start"
cat > "$work/view.script" <<'SCRIPT'
menu FitPage
click 1003
toolbar ADBE:PDFTalvane
grab-window window.png
SCRIPT
(cd "$work" && DISPLAY=":$display" "$prefix/bin/pdfhost" --registry "$work/registry.reg" \
  view --script view.script "$source/samples/sample.pdf" > view.txt) ||
  fail "the viewer script failed"
[ -s "$work/window.png" ] || fail "the viewer wrote no screenshot"
if [ -n "$screenshot" ]; then
  cp "$work/window.png" "$screenshot"
fi
echo "installed-tree: ok"
