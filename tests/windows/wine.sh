# Sourced by the scripts that run the Windows build: finds Wine, makes a Wine
# prefix of its own in a temporary directory, and removes it on exit. Sets
# $wine and exports what Wine needs.
wine=${WINE:-}
if [ -z "$wine" ]; then
  wine=$(command -v wine64 || true)
  [ -n "$wine" ] || wine=/usr/lib/wine/wine64
fi
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

prefix=$(mktemp -d)
cleanup() {
  WINEPREFIX=$prefix "$wineserver" -k >/dev/null 2>&1 || true
  WINEPREFIX=$prefix "$wineserver" -w >/dev/null 2>&1 || true
  rm -rf "$prefix"
}
trap cleanup EXIT

# Wine's server keeps its socket under the temporary folder: inside the
# prefix, it goes with it.
mkdir "$prefix/tmp"
export TMPDIR=$prefix/tmp
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Creating the prefix takes a few seconds and prints notes of its own; a
# server kept running makes each later start quick.
"$wineserver" -p
"$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
export KAVELTA_WINE=$wine
