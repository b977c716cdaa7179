#include "sequencia.h"

#include "console.h"

void Movimentos(int num, char origem, char destino, char aux) {
  if (num < 1) return;  // nothing to move; also keeps the recursion finite
  if (num == 1) {
    Escrever(" Mover disco 1 da torre %c para a torre %c\n", origem, destino);
    return;
  }
  Movimentos(num - 1, origem, aux, destino);
  Escrever(" Mover disco %d da torre %c para a torre %c\n", num, origem,
           destino);
  Movimentos(num - 1, aux, destino, origem);
}

void Sequencia() {
  int discos = LerNumero("\n N%cmeros de discos: ", 8, U_AGUDO);
  Escrever("\n\n\n|1| Para Destino em (C)\n");
  Escrever("|2| Para Destino em (B)\n");
  Escrever("|3| SAIR\n\n\n");
  int op = LerNumero("Op%c%co para o Destino: ", 3, C_CEDILHA, A_TIL);
  Escrever("\n");

  if (op == 1) {
    Movimentos(discos, 'A', 'C', 'B');
  } else if (op == 2) {
    Movimentos(discos, 'A', 'B', 'C');
  }

  Escrever("\n");
  Pausar();
  LimparTela();
}
