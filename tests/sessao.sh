#!/usr/bin/env bash
# Plays DIR/NAME.in into the game and compares what it writes, byte for byte,
# with DIR/NAME.out, and its exit status with 0. With "cp850" as the fourth
# argument the game runs under a pt_BR code page 850 locale made here, and
# the expected output is DIR/NAME.cp850.out.
set -u
jogo=$1 dir=$2 nome=$3 modo=${4:-utf8}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

esperado=$dir/$nome.out
if [ "$modo" = cp850 ]; then
  esperado=$dir/$nome.cp850.out
  if ! localedef -i pt_BR -f IBM850 "$tmp/pt_BR.IBM850" 2>"$tmp/localedef.err"; then
    echo "localedef could not make pt_BR.IBM850 (Debian package: locales):"
    cat "$tmp/localedef.err"
    exit 1
  fi
  export LOCPATH=$tmp LC_ALL=pt_BR.IBM850
fi

"$jogo" <"$dir/$nome.in" >"$tmp/saida"
status=$?

falhou=0
if ! cmp -s "$esperado" "$tmp/saida"; then
  echo "output differs from $esperado (expected <, got >; cat -A):"
  diff <(cat -A "$esperado") <(cat -A "$tmp/saida") | head -n 40
  falhou=1
fi
if [ "$status" -ne 0 ]; then
  echo "exit status $status, expected 0"
  falhou=1
fi
exit $falhou
