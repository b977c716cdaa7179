#!/usr/bin/env bash
# README.md and ARCHITECTURE.md name only paths that exist: every path in
# backticks that starts at one of the repository's own folders or files
# (placeholders such as NAME left out).
set -u
cd "$1" || exit 1
falta=0
for caminho in $(grep -oh '`[^` ]*`' README.md ARCHITECTURE.md | tr -d '`' | sort -u); do
  case "$caminho" in
    *NAME* | *FILE*) continue ;;
    src/* | web/* | tests/* | bench/* | pacote/* | cmake/* | man/* | .ci/* | *.md | CMakeLists.txt) ;;
    *) continue ;;
  esac
  [ -e "$caminho" ] || { echo "named but missing: $caminho"; falta=1; }
done
exit $falta
