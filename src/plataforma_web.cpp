// The web page: the game runs as WebAssembly beside the page's own screen,
// and the page's line discipline stands where a tty's would (echo, line
// editing, Ctrl-D, Ctrl-C, the one-key pause). A read or a pause waits on
// the page through Asyncify (the page's side is in plataforma_web.js); the
// text goes out as UTF-8.
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "plataforma.h"

extern "C" {
// Bytes of the next line, 0 at the end of input, or `interrompido`.
int torre_ler(char* dados, int tamanho, int interrompido);
// 1 once a key came, or `interrompido`.
int torre_pausar(int interrompido);
void torre_escrever(const char* dados, int tamanho);
}

namespace {

// The page's answer once the user pressed Ctrl-C (or Ctrl-\), which each
// read and pause tells the page.
constexpr int interrompido = -2;

// The status a shell would report for a game ended by SIGINT.
constexpr int status_ctrl_c = 128 + SIGINT;

// The most one read asks the page for: the page's side takes an int, and
// no line typed there comes near it.
constexpr std::size_t maior_leitura = 1 << 16;

// Ctrl-C ends the game at once, as SIGINT ends it in a terminal.
[[noreturn]] void Interromper() { std::_Exit(status_ctrl_c); }

}  // namespace

void PlataformaIniciar(TabelaLetras& letras) { LetrasEmUtf8(letras); }

long PlataformaLer(int fd, char* dados, std::size_t tamanho) {
  if (fd != 0) {
    errno = EBADF;
    return -1;
  }
  int n = torre_ler(
      dados,
      static_cast<int>(tamanho < maior_leitura ? tamanho : maior_leitura),
      interrompido);
  if (n == interrompido) Interromper();
  return n;
}

bool PlataformaEscrever(const char* dados, std::size_t tamanho) {
  torre_escrever(dados, static_cast<int>(tamanho));
  return true;
}

// As on a POSIX terminal.
const char* PlataformaTextoLimpar() { return limpar_com_escapes; }
void PlataformaLimpar() {}
const char* PlataformaTextoConvite() { return convite_na_linha + 1; }

// The page's line discipline keeps what follows the key itself.
bool PlataformaPausar(char* /*resto*/, std::size_t /*cabe*/,
                      std::size_t& guardados) {
  guardados = 0;
  if (torre_pausar(interrompido) == interrompido) Interromper();
  return true;
}
