#!/usr/bin/env bash
# When standard output goes away the game must stop with a non-zero status,
# not go on reading: killed by SIGPIPE, or status 1 where SIGPIPE is ignored.
set -u
jogo=$1
export LC_ALL=C.UTF-8
falhou=0

# Thousands of one-ring games: megabytes of output, far past a pipe's buffer.
sessao=$(mktemp)
trap 'rm -f "$sessao"' EXIT
for _ in $(seq 5000); do printf '1\n1\n1\n'; done >"$sessao"

timeout 10 "$jogo" <"$sessao" | head -c 1 >/dev/null
status=${PIPESTATUS[0]}
[ "$status" -eq 141 ] || { echo "SIGPIPE default: status $status, expected 141"; falhou=1; }

trap '' PIPE
timeout 10 "$jogo" <"$sessao" | head -c 1 >/dev/null
status=${PIPESTATUS[0]}
[ "$status" -eq 1 ] || { echo "SIGPIPE ignored: status $status, expected 1"; falhou=1; }
exit $falhou
