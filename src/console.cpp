#include "console.h"

#include <cerrno>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "leitor.h"
#include "plataforma.h"

namespace {

// A process has one standard input and one standard output; their buffers
// and the character set live here, never in a screen.
struct Saida {
  char dados[1 << 15];
  std::size_t usado;
};
Saida saida{};
Entrada entrada{};
TabelaLetras letras{};

void Acrescentar(const char* texto, std::size_t tamanho) {
  while (tamanho > 0) {
    if (saida.usado == sizeof saida.dados) EsvaziarSaida();
    std::size_t cabe = sizeof saida.dados - saida.usado;
    std::size_t parte = tamanho < cabe ? tamanho : cabe;
    std::memcpy(saida.dados + saida.usado, texto, parte);
    saida.usado += parte;
    texto += parte;
    tamanho -= parte;
  }
}

void AcrescentarTraduzido(const char* texto, std::size_t tamanho) {
  std::size_t inicio = 0;
  for (std::size_t i = 0; i < tamanho; i++) {
    auto byte = static_cast<unsigned char>(texto[i]);
    if (byte < 128 || letras.texto[byte - 128][0] == '\0') continue;
    Acrescentar(texto + inicio, i - inicio);
    const char* troca = letras.texto[byte - 128];
    Acrescentar(troca, std::strlen(troca));
    inicio = i + 1;
  }
  Acrescentar(texto + inicio, tamanho - inicio);
}

// Formats into texto, or into grande when it does not fit; returns the length.
int Formatar(char* texto, std::size_t tamanho, std::vector<char>& grande,
             const char* formato, va_list args) FORMATO_PRINTF(4, 0);

int Formatar(char* texto, std::size_t tamanho, std::vector<char>& grande,
             const char* formato, va_list args) {
  va_list copia;
  va_copy(copia, args);
  int n = std::vsnprintf(texto, tamanho, formato, args);
  if (n >= 0 && static_cast<std::size_t>(n) >= tamanho) {
    grande.resize(static_cast<std::size_t>(n) + 1);
    (void)std::vsnprintf(grande.data(), grande.size(), formato, copia);
  }
  va_end(copia);
  return n;
}

// The game cannot go on: one line on standard error, status 1.
[[noreturn]] void Falhar(const char* o_que, int erro) {
  (void)std::fprintf(stderr, "torre-de-hanoi: erro ao %s: %s\n", o_que,
                     std::strerror(erro));
  std::exit(1);
}

// Input failed: what the game holds still goes out, on a line of its own,
// before the reason.
[[noreturn]] void FalhaDeLeitura(int erro) {
  Escrever("\n");
  EsvaziarSaida();
  Falhar("ler a entrada", erro);
}

}  // namespace

void IniciarConsole() { PlataformaIniciar(letras); }

void Escrever(const char* formato, ...) {
  char texto[256];
  std::vector<char> grande;
  va_list args;
  va_start(args, formato);
  int n = Formatar(texto, sizeof texto, grande, formato, args);
  va_end(args);
  if (n <= 0) return;
  AcrescentarTraduzido(grande.empty() ? texto : grande.data(),
                       static_cast<std::size_t>(n));
}

void EsvaziarSaida() {
  if (saida.usado == 0) return;
  std::size_t tamanho = saida.usado;
  saida.usado = 0;
  if (PlataformaEscrever(saida.dados, tamanho)) return;
  // A reader that went away is no error of ours: no word, as for SIGPIPE.
  if (errno == EPIPE) std::exit(1);
  Falhar("escrever", errno);
}

void LimparTela() {
  const char* texto = PlataformaTextoLimpar();
  if (texto != nullptr) {
    Escrever("%s", texto);
    return;
  }
  EsvaziarSaida();
  PlataformaLimpar();
}

void Pausar() {
  const char* convite = PlataformaTextoConvite();
  if (convite != nullptr) Escrever("%s", convite);
  EsvaziarSaida();
  if (!PausarGuardandoOResto(entrada)) FalhaDeLeitura(entrada.erro);
  if (convite != nullptr) Escrever("\n");
}

int LerNumero(const char* texto, int maximo, ...) {
  char prompt[256];
  std::vector<char> grande;
  va_list args;
  va_start(args, maximo);
  Formatar(prompt, sizeof prompt, grande, texto, args);
  va_end(args);
  const char* pronto = grande.empty() ? prompt : grande.data();

  int valor = 0;
  while (valor < 1 || valor > maximo) {
    Escrever("%s", pronto);
    EsvaziarSaida();
    Leitura lido = LerValor(entrada, valor);
    if (lido == Leitura::Falha) FalhaDeLeitura(entrada.erro);
    if (lido == Leitura::FimDaEntrada) {
      Escrever("\n");
      EsvaziarSaida();
      std::exit(0);
    }
    if (lido == Leitura::NaoNumero) valor = 0;
  }
  return valor;
}
