#include "jogo.h"

#include <climits>
#include <vector>

#include "console.h"

// The page's narrator (web/narrador.js) reads this drawing off the screen:
// a ring is "<n>" under its tower's letter, and the letters' row stands
// between two rows of "=". Its tests read the boards of the sessions.
void DesenharTorres(const int* A, const int* B, const int* C, int n) {
  for (int i = 0; i < n; i++) {
    Escrever("\n\t");
    if (A[i] != 0) {
      Escrever("<%d>", A[i]);
    } else {
      Escrever("   ");
    }
    if (B[i] != 0) {
      Escrever("  <%d>", B[i]);
    } else {
      Escrever("     ");
    }
    if (C[i] != 0) {
      Escrever("  <%d>", C[i]);
    } else {
      Escrever("     ");
    }
  }
  Escrever("\n\t=============\n");
  Escrever("\t A    B    C \n");
  Escrever("\t=============\n\n");
}

bool Venceu(const int* B, const int* C, int n) {
  int cont_B = 0;
  int cont_C = 0;
  for (int i = 0; i < n; i++) {
    if (B[i] == i + 1) cont_B++;
    if (C[i] == i + 1) cont_C++;
  }
  return cont_B == n || cont_C == n;
}

// The rule: the top ring of origem (its first non-zero slot) drops to the
// lowest empty slot of destino; if the ring under it there is smaller, the
// move is undone without a word. Moving from an empty tower does nothing.
void MoverArgola(int* origem, int* destino, int n) {
  int ok = 0;
  for (int i = 0; i < n; i++) {
    if (origem[i] == 0) ok++;
  }
  if (ok == n) return;

  int num = 0;
  int posi = 0;
  for (int i = 0; i < n; i++) {
    if (origem[i] != 0) {
      num = origem[i];
      origem[i] = 0;
      posi = i;
      break;
    }
  }

  int posi_2 = -1;
  for (int i = n - 1; i >= 0; i--) {
    if (destino[i] == 0) {
      posi_2 = i;
      break;
    }
  }
  // A full destination cannot happen while the ring in hand is off it;
  // should it, the ring goes back rather than over another.
  if (posi_2 < 0) {
    origem[posi] = num;
    return;
  }

  destino[posi_2] = num;
  if (posi_2 != n - 1 && num > destino[posi_2 + 1]) {
    origem[posi] = num;
    destino[posi_2] = 0;
  }
}

void Jogada(int op, int* A, int* B, int* C, int n, int& n_mov) {
  // A player who never stops would overflow the int; the count stays at
  // its largest value instead.
  if (n_mov < INT_MAX) n_mov++;

  if (op == 1) {
    MoverArgola(A, B, n);
  } else if (op == 2) {
    MoverArgola(A, C, n);
  } else if (op == 3) {
    MoverArgola(B, A, n);
  } else if (op == 4) {
    MoverArgola(B, C, n);
  } else if (op == 5) {
    MoverArgola(C, A, n);
  } else if (op == 6) {
    MoverArgola(C, B, n);
  }
}

void Jogo() {
  int n = LerNumero("\n N%cmero de Argolas..: ", 8, U_AGUDO);
  // Cleared here and again at the top of the first turn: two clears in a
  // row, which every game session's expected output pins (two form feeds)
  // and the Windows console shows as one. Kept as the game always did it.
  LimparTela();

  std::vector<int> A(static_cast<std::size_t>(n));
  std::vector<int> B(static_cast<std::size_t>(n), 0);
  std::vector<int> C(static_cast<std::size_t>(n), 0);
  for (int i = 0; i < n; i++) A[static_cast<std::size_t>(i)] = i + 1;
  int op = 0;
  int n_mov = 0;

  while (op != 7) {
    LimparTela();
    DesenharTorres(A.data(), B.data(), C.data(), n);
    // The page's narrator reads these lines too: the win, the move menu,
    // the counter and the prompt.
    if (Venceu(B.data(), C.data(), n)) {
      Escrever("Parabens, voce conseguiu em %d movimentos!\n", n_mov);
      break;
    }
    Escrever("[1] A ==> B\t");
    Escrever("[2] A ==> C\n");
    Escrever("[3] B ==> A\t");
    Escrever("[4] B ==> C\n");
    Escrever("[5] C ==> A\t");
    Escrever("[6] C ==> B\t");
    Escrever("[7] SAIR\n\n");
    Escrever("N%cmero de Movimentos: %d\n", U_AGUDO, n_mov);
    op = LerNumero(" Digite op%c%co: ", 7, C_CEDILHA, A_TIL);
    Jogada(op, A.data(), B.data(), C.data(), n, n_mov);
  }

  Pausar();
  LimparTela();
}
