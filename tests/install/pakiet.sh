#!/usr/bin/env bash
# pakiet.sh BUILD SOURCE CPACK VERSION: makes the Debian package of the built tree BUILD with
# cpack in a scratch folder, checks its control fields (the library dependencies computed, the
# Polish dictionary recommended), unpacks it with dpkg -x and runs the unpacked command-line
# tool, and has lintian report no error. HOME and the XDG folders are scratch folders.
set -euo pipefail
build=$1
zrodlo=$2
cpack=$3
wersja=$4

tmp=$(mktemp -d "${TMPDIR:-/tmp}/belvastrona-pakiet.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
. "$(dirname "$0")/srodowisko.sh"
srodowisko "$tmp"

if ! (cd "$build" && "$cpack" -G DEB -B "$tmp/cpack") >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log"
  echo "FAIL: cpack -G DEB"
  exit 1
fi
pakiety=("$tmp"/cpack/belvastrona_"$wersja"_*.deb)
if [ ${#pakiety[@]} -ne 1 ] || [ ! -f "${pakiety[0]}" ]; then
  ls -l "$tmp/cpack"
  echo "FAIL: expected one belvastrona_${wersja}_ARCH.deb"
  exit 1
fi
deb=${pakiety[0]}
echo "package: $(basename "$deb")"

# Control fields: the libraries' packages found by dpkg-shlibdeps, the dictionary for the forms
# of words recommended.
zalezy=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $zalezy"
nazwy=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$zalezy")
for p in libc6 libstdc++6 libqt6widgets6; do
  grep -qxF "$p" <<<"$nazwy" || blad "Depends lacks $p"
done
grep -q "hunspell-pl" <<<"$(dpkg-deb -f "$deb" Recommends Depends)" || blad "hunspell-pl neither recommended nor required"
[ "$(dpkg-deb -f "$deb" Package)" = belvastrona ] || blad "package name $(dpkg-deb -f "$deb" Package)"

# Unpacked anywhere, the programs run on the corpus they came with.
dpkg -x "$deb" "$tmp/x"
usr=$tmp/x/usr
wersjaCli=$("$usr/bin/belvastrona-cli" --version 2>&1) || blad "belvastrona-cli --version: exit status $?"
[[ "$wersjaCli" == belvastrona-cli* ]] || blad "belvastrona-cli --version printed '$wersjaCli'"
if ! "$usr/bin/belvastrona-cli" --data "$usr/share/belvastrona/dane" info >"$tmp/info.out" 2>&1; then
  cat "$tmp/info.out"
  blad "belvastrona-cli --data usr/share/belvastrona/dane info"
fi
for strona in "$zrodlo"/man/*.1; do
  [ -f "$strona" ] || continue
  [ -f "$usr/share/man/man1/$(basename "$strona").gz" ] || blad "no manual page $(basename "$strona") in the package"
done

# lintian: warnings are shown, an error fails.
if command -v lintian >/dev/null; then
  kod=0
  lintian --tag-display-limit 0 "$deb" >"$tmp/lintian.log" 2>&1 || kod=$?
  echo "lintian (exit status $kod):"
  cat "$tmp/lintian.log"
  if [ $kod -ne 0 ] || grep -q '^E:' "$tmp/lintian.log"; then blad "lintian reports errors or did not finish"; fi
else
  echo "lintian is not installed: the package is not checked by it (scripts/deps installs it)"
fi

[ $bledy -eq 0 ] && echo "Debian package: all checks passed"
exit $bledy
