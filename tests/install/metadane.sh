#!/usr/bin/env bash
# metadane.sh SOURCE VERSION: the menu entry and the AppStream description of packaging/ pass
# their validators without a word (appstreamcli's pedantic notes aside), and the description's
# latest release and the package changelog name the project's version. Exit 77 (skipped) when a
# validator is not installed (scripts/deps installs them).
set -uo pipefail
zrodlo=$1
wersja=$2
pakiet=$zrodlo/packaging

brak=()
for p in desktop-file-validate appstreamcli; do
  command -v "$p" >/dev/null || brak+=("$p")
done
if [ ${#brak[@]} -gt 0 ]; then
  echo "not installed: ${brak[*]}"
  exit 77
fi

bledy=0
wynik=$(desktop-file-validate "$pakiet/belvastrona.desktop" 2>&1)
kod=$?
echo "desktop-file-validate: exit $kod"
if [ $kod -ne 0 ] || [ -n "$wynik" ]; then
  echo "$wynik"
  bledy=1
fi

metainfo=("$pakiet"/*.metainfo.xml)
if [ ${#metainfo[@]} -ne 1 ] || [ ! -f "${metainfo[0]}" ]; then
  echo "expected one packaging/*.metainfo.xml, found: ${metainfo[*]}"
  exit 1
fi
wynik=$(appstreamcli validate --no-net --pedantic "${metainfo[0]}" 2>&1)
kod=$?
echo "appstreamcli validate: exit $kod"
echo "$wynik"
if [ $kod -ne 0 ] || grep -qE '^[[:space:]]*(E|W):' <<<"$wynik"; then
  bledy=1
fi

# The newest release comes first in both.
pierwsze=$(grep -o '<release version="[^"]*"' "${metainfo[0]}" | head -n 1)
if [ "$pierwsze" != "<release version=\"$wersja\"" ]; then
  echo "metainfo: newest release is '$pierwsze', the project is $wersja"
  bledy=1
fi
if ! head -n 1 "$pakiet/changelog" | grep -q "^belvastrona ($wersja) "; then
  echo "changelog: first entry '$(head -n 1 "$pakiet/changelog")', the project is $wersja"
  bledy=1
fi
exit $bledy
