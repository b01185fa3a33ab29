# Sourced by the install tests: `blad` records a failure (bledy=1) and goes on; `srodowisko TMP`
# makes HOME and the XDG data, configuration and cache folders scratch folders under TMP and
# clears the program's own variables, so that nothing of the user running the tests is read
# or written.
bledy=0
blad() {
  echo "FAIL: $*"
  bledy=1
}

srodowisko() {
  export HOME=$1/dom
  export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
  export LANG=C.UTF-8
  unset BELVASTRONA_DANE BELVASTRONA_KONFIGURACJA BELVASTRONA_POMOC
  mkdir -p "$HOME"
}
