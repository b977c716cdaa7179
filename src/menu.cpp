#include "menu.h"

#include "console.h"
#include "informacoes.h"
#include "jogo.h"
#include "sequencia.h"

int MenuPrincipal() {
  int op = 0;
  while (op != 5) {
    Escrever("\t\t---------------------------------------------------\n");
    Escrever("\t\t\t\tTORRE DE HAN%cI\n", O_AGUDO_MAI);
    Escrever("\t\t---------------------------------------------------\n\n");
    Escrever(" 1 - JOGAR\n");
    Escrever(" 2 - INSTRU%c%cES\n", C_CEDILHA_MAI, O_TIL_MAI);
    Escrever(" 3 - SEQU%cNCIA DE MOVIMENTOS\n", E_CIRCUNFLEXO_MAI);
    Escrever(" 4 - SOBRE\n");
    Escrever(" 5 - SAIR\n\n");
    op = LerNumero("  Digite op%c%co: ", 5, C_CEDILHA, A_TIL);
    LimparTela();

    if (op == 1) {
      Jogo();
    } else if (op == 2) {
      Instrucao();
    } else if (op == 3) {
      Sequencia();
    } else if (op == 4) {
      Sobre();
    }
  }
  EsvaziarSaida();
  return 0;
}
