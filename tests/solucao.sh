#!/usr/bin/env bash
# The printed solution against the play screen: every list the solution
# screen prints (1 to 8 discs, to C and to B), typed back as move choices,
# must win a game of as many rings in exactly 2^n - 1 choices, so no move of
# the list is refused. Also checks the landmarks of the 8-disc list to C.
set -u
jogo=$1
export LC_ALL=C.UTF-8
falhou=0

# The move lines of the solution screen for n discs and destination choice d.
lista() {
  printf '3\n%d\n%d\n5\n' "$1" "$2" | "$jogo" | grep '^ Mover disco '
}

# A move line's towers as the play screen's choice.
escolha() {
  case "$1" in
    AB) echo 1 ;; AC) echo 2 ;; BA) echo 3 ;; BC) echo 4 ;; CA) echo 5 ;; CB) echo 6 ;;
    *) echo "bad towers $1" >&2; echo 9 ;;
  esac
}

oito=$(lista 8 1)
esperado_128=" Mover disco 8 da torre A para a torre C"
[ "$(wc -l <<<"$oito")" -eq 255 ] || { echo "8 discs to C: $(wc -l <<<"$oito") lines, not 255"; falhou=1; }
[ "$(sed -n 1p <<<"$oito")" = " Mover disco 1 da torre A para a torre B" ] || { echo "8 discs: line 1 wrong"; falhou=1; }
[ "$(sed -n 128p <<<"$oito")" = "$esperado_128" ] || { echo "8 discs: line 128 wrong"; falhou=1; }
[ "$(sed -n 255p <<<"$oito")" = " Mover disco 1 da torre B para a torre C" ] || { echo "8 discs: line 255 wrong"; falhou=1; }

for n in 1 2 3 4 5 6 7 8; do
  for d in 1 2; do
    escolhas=$(lista "$n" "$d" | while read -r _ _ _ _ _ origem _ _ _ destino; do
      escolha "$origem$destino"
    done)
    minimo=$(( (1 << n) - 1 ))
    saida=$(printf '1\n%d\n%s\n5\n' "$n" "$escolhas" | "$jogo")
    status=$?
    prompts=$(grep -o ' Digite op' <<<"$saida" | wc -l)
    # Menu prompts: the first and the one after the game; the rest are moves.
    if ! grep -q "^Parabens, voce conseguiu em $minimo movimentos!$" <<<"$saida" ||
       [ "$prompts" -ne $((minimo + 2)) ] || [ "$status" -ne 0 ]; then
      echo "$n discs, destination choice $d: replay not won in $minimo choices (prompts $prompts, status $status)"
      falhou=1
    fi
  done
done
[ $falhou -eq 0 ] && echo "8-disc landmarks and 16 replays hold"
exit $falhou
