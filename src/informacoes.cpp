#include "informacoes.h"

#include "console.h"

void Instrucao() {
  Escrever("\n  - MOVIMENTAR UMA S%c PE%cA DE CADA VEZ.\n\n", O_AGUDO_MAI,
           C_CEDILHA_MAI);
  Escrever("   - UMA PE%cA MAIOR N%cO PODE FICAR ACIMA DE UMA MENOR.\n\n",
           C_CEDILHA_MAI, A_TIL_MAI);
  Escrever(
      "    - N%cO %c PERMITIDO MOVIMENTAR UMA PE%cA QUE ESTEJA ABAIXO DA "
      "OUTRA.\n\n",
      A_TIL_MAI, E_AGUDO_MAI, C_CEDILHA_MAI);
  Pausar();
  LimparTela();
}

// The school, its campus and both founders are made up.
void Sobre() {
  Escrever("\n  ETI: ESCOLA DE TORRES INVENTADAS.\n");
  Escrever("   CAMPUS SERRA DAS TR%cS HASTES.\n\n", E_CIRCUNFLEXO_MAI);
  Escrever("    FUNDADOR: JO%cO DAS ARGOLAS.\n", A_TIL_MAI);
  Escrever("    CO-FUNDADOR: MARIA CONCEI%c%cO DOS DISCOS.\n\n", C_CEDILHA_MAI,
           A_TIL_MAI);
  Pausar();
  LimparTela();
}
