#!/usr/bin/env bash
# instalacja.sh BUILD SOURCE HELP_LOOKUP CMAKE: installs the built tree BUILD into a scratch
# prefix (cmake --install) and uses it as a user would: the layout, the command-line search and
# the program's start on the installed sample corpus, and the help found beside the installed
# program (HELP_LOOKUP is tests/install/pomoc_sciezka.cpp). HOME and the XDG folders are
# scratch folders too.
set -euo pipefail
build=$1
zrodlo=$2
pomocnik=$3
cmake=$4

tmp=$(mktemp -d "${TMPDIR:-/tmp}/belvastrona-instalacja.XXXXXX")
tmp=$(realpath "$tmp")
program=
sprzatanie() {
  if [ -n "$program" ]; then kill "$program" 2>/dev/null || true; wait "$program" 2>/dev/null || true; fi
  chmod -R u+w "$tmp"
  rm -rf "$tmp"
}
trap sprzatanie EXIT
. "$(dirname "$0")/srodowisko.sh"
srodowisko "$tmp"
export XDG_RUNTIME_DIR=$tmp/run
mkdir -m 700 "$XDG_RUNTIME_DIR"

prefix=$tmp/usr
if ! "$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
  cat "$tmp/install.log"
  echo "FAIL: cmake --install $build"
  exit 1
fi
bin=$prefix/bin
dane=$prefix/share/belvastrona/dane

# The layout: the four programs and nothing else in bin/; help, corpus, desktop files, manual
# pages and the package documents under share/.
programy=$(cd "$bin" && ls | tr '\n' ' ')
[ "$programy" = "belvastrona belvastrona-build belvastrona-cli belvastrona-sample " ] || blad "bin/ holds: $programy"
for plik in share/belvastrona/help/belvastrona/100.html share/belvastrona/help/inneprodukty/100.html \
            share/belvastrona/dane/plik.dat share/applications/belvastrona.desktop \
            share/icons/hicolor/scalable/apps/belvastrona.svg share/metainfo/pl.belvastrona.belvastrona.metainfo.xml \
            share/doc/belvastrona/copyright share/doc/belvastrona/changelog.gz; do
  [ -f "$prefix/$plik" ] || blad "missing $plik"
done
for bok in 16 32 48 64 128 256; do
  ikona=$prefix/share/icons/hicolor/${bok}x$bok/apps/belvastrona.png
  file "$ikona" 2>/dev/null | grep -q "PNG image data, $bok x $bok" || blad "missing or wrong $ikona"
done
for strona in "$zrodlo"/man/*.1; do
  [ -f "$strona" ] || continue
  gz=$prefix/share/man/man1/$(basename "$strona").gz
  if [ ! -f "$gz" ]; then blad "missing ${gz#"$prefix"/}"
  elif ! gzip -dc "$gz" | cmp -s - "$strona"; then blad "${gz#"$prefix"/} is not man/$(basename "$strona")"
  fi
done
# The corpus is read-only data: files 0644, folders 0755.
inne=$(find "$dane" \( -type f ! -perm 0644 \) -o \( -type d ! -perm 0755 \) -o \( ! -type f ! -type d \))
[ -z "$inne" ] || blad "corpus entries with other permissions: $inne"
if command -v appstreamcli >/dev/null; then
  if ! appstreamcli validate-tree --no-net "$prefix" >"$tmp/tree.log" 2>&1 || grep -qE '^[[:space:]]*(E|W):' "$tmp/tree.log"; then
    cat "$tmp/tree.log"
    blad "appstreamcli validate-tree"
  fi
fi

# Used as installed: the corpus as a user sees it, not writable (the owner of the tree, root,
# still writes).
chmod -R a-w "$dane"

# The command-line search on the installed corpus.
if ! "$bin/belvastrona-cli" --data "$dane" info >"$tmp/info.out" 2>"$tmp/info.err"; then
  cat "$tmp/info.out" "$tmp/info.err"
  blad "belvastrona-cli info"
fi
liczba=$("$bin/belvastrona-cli" --data "$dane" query --condition '"podatek"' --count 2>"$tmp/query.err") || true
if ! [[ "$liczba" =~ ^[1-9][0-9]*$ ]]; then
  cat "$tmp/query.err"
  blad "belvastrona-cli query --count printed '$liczba'"
fi

# The help topics found from where the program runs: beside an installed bin/ (the page's path
# tells which folder answered), and help/ next to the program as in a build folder (a topic the
# source tree does not have, so that no other folder can answer).
cp "$pomocnik" "$bin/belvastrona-pomoc-sciezka"
strona=$("$bin/belvastrona-pomoc-sciezka" Belvastrona.HLP 100 || true)
[ "$strona" = "$prefix/share/belvastrona/help/belvastrona/100.html" ] || blad "installed help topic 100 found at '$strona'"
rm "$bin/belvastrona-pomoc-sciezka"
mkdir -p "$tmp/budowa/help/proba"
echo '<html><title>7</title></html>' >"$tmp/budowa/help/proba/7.html"
cp "$pomocnik" "$tmp/budowa/belvastrona-pomoc-sciezka"
strona=$("$tmp/budowa/belvastrona-pomoc-sciezka" Proba.HLP 7 || true)
[ "$strona" = "$tmp/budowa/help/proba/7.html" ] || blad "help/ next to the program: topic found at '$strona'"

# The program itself on the installed corpus, offscreen: it has started once it has opened its
# template table in the working folder (the corpus when it can be written, else the user's
# folder), the last step before the window shows; a corpus that does not load stops the start
# before that with a message window. It must still be running a moment later, with nothing on
# standard error. Started from the menu, without a data directory and in a folder with no
# corpus, it opens the installed one.
start() {
  local opis=$1
  shift
  rm -f "$dane/szablon.DBF" "$XDG_DATA_HOME/Belvastrona/szablon.DBF"
  (cd "$HOME" && exec env QT_QPA_PLATFORM=offscreen "$bin/belvastrona" "$@") >"$tmp/gui.out" 2>"$tmp/gui.err" &
  program=$!
  local gotowy=
  for _ in $(seq 1 600); do
    if [ -f "$dane/szablon.DBF" ] || [ -f "$XDG_DATA_HOME/Belvastrona/szablon.DBF" ]; then
      gotowy=1
      break
    fi
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  sleep 1
  if [ -z "$gotowy" ]; then
    blad "$opis: the program did not open its window on the installed corpus"
  elif ! kill -0 "$program" 2>/dev/null; then
    blad "$opis: the program ended after its start"
  fi
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  program=
  if [ -s "$tmp/gui.err" ]; then
    cat "$tmp/gui.err"
    blad "$opis: the program wrote to standard error"
  fi
}
start "belvastrona DATA" "$dane"
start "belvastrona without arguments"

[ $bledy -eq 0 ] && echo "installed tree in a scratch prefix: all checks passed"
exit $bledy
