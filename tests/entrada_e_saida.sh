#!/usr/bin/env bash
# Input and output that fail, or make the game wait, must never lose output
# nor end in a silent success:
# - standard output gone: killed by SIGPIPE, or status 1 where SIGPIPE is
#   ignored, without a word;
# - any other write error, and any read error: status 1 and one line on
#   standard error;
# - non-blocking output to a slow reader: every byte arrives, status 0.
set -u
jogo=$1
export LC_ALL=C.UTF-8
falhou=0
erro() { echo "$*"; falhou=1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# Thousands of one-ring games: megabytes of output, far past a pipe's buffer.
sessao=$tmp/sessao
for _ in $(seq 5000); do printf '1\n1\n1\n'; done >"$sessao"

timeout 10 "$jogo" <"$sessao" 2>"$tmp/erros" | head -c 1 >/dev/null
status=${PIPESTATUS[0]}
[ "$status" -eq 141 ] || erro "SIGPIPE default: status $status, expected 141"

(
  trap '' PIPE
  timeout 10 "$jogo" <"$sessao" 2>>"$tmp/erros" | head -c 1 >/dev/null
  exit "${PIPESTATUS[0]}"
)
status=$?
[ "$status" -eq 1 ] || erro "SIGPIPE ignored: status $status, expected 1"
[ -s "$tmp/erros" ] && erro "a closed pipe wrote to standard error: $(cat "$tmp/erros")"

# Ends with status 1 and a line naming the program on standard error.
falha() {
  local caso=$1 status=$2 linhas
  linhas=$(grep -c '^torre-de-hanoi: erro ao ' "$tmp/erros")
  [ "$status" -eq 1 ] || erro "$caso: status $status, expected 1"
  [ "$linhas" -eq 1 ] || erro "$caso: standard error: $(cat "$tmp/erros")"
}
timeout 10 "$jogo" <"$sessao" >/dev/full 2>"$tmp/erros"
falha "output to /dev/full" $?
timeout 10 "$jogo" <&- >/dev/null 2>"$tmp/erros"
falha "input closed" $?
timeout 10 "$jogo" </ >/dev/null 2>"$tmp/erros"
falha "input a directory" $?

# The write end of the pipe left non-blocking, the reader a second late.
"$jogo" <"$sessao" | wc -c >"$tmp/bytes"
timeout 20 perl -MFcntl -e \
  'fcntl(STDOUT, F_SETFL, fcntl(STDOUT, F_GETFL, 0) | O_NONBLOCK) or die; exec @ARGV' \
  "$jogo" <"$sessao" 2>"$tmp/erros" | (sleep 1 && wc -c >"$tmp/lentos")
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] || erro "non-blocking output: status $status, expected 0"
cmp -s "$tmp/bytes" "$tmp/lentos" ||
  erro "non-blocking output: $(cat "$tmp/lentos") bytes of $(cat "$tmp/bytes")"
exit $falhou
