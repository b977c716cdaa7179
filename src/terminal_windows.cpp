// The Windows console shows code page 850 itself, clears with "cls" and
// pauses with "pause": the command interpreter does the work.
#include <io.h>

#include <cstdlib>

#include "terminal.h"

void TerminalIniciar(TabelaLetras& letras) {
  // Code page 850 bytes go out unchanged: every entry stays empty.
  (void)letras;
}

std::size_t TerminalLer(int fd, char* dados, std::size_t tamanho) {
  int n = _read(fd, dados, static_cast<unsigned>(tamanho));
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

bool TerminalEscrever(const char* dados, std::size_t tamanho) {
  while (tamanho > 0) {
    int n = _write(1, dados, static_cast<unsigned>(tamanho));
    if (n <= 0) return false;
    dados += n;
    tamanho -= static_cast<std::size_t>(n);
  }
  return true;
}

void TerminalLimpar() {
  EsvaziarSaida();
  std::system("cls");
}

void TerminalPausar() {
  EsvaziarSaida();
  std::system("pause");
}
