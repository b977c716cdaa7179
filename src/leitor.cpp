#include "leitor.h"

#include <cerrno>
#include <climits>
#include <cstring>

#include "plataforma.h"

namespace {

bool EBranco(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' ||
         c == '\f';
}

bool EDigito(int c) { return c >= '0' && c <= '9'; }

// The next byte without taking it, or -1 at the end of input or when the
// input failed (e.erro set).
int Espiar(Entrada& e) {
  if (e.pos == e.fim) {
    if (e.acabou) return -1;
    long n = PlataformaLer(e.fd, e.dados, sizeof e.dados);
    if (n <= 0) {
      e.acabou = true;
      e.erro = n < 0 ? errno : 0;
      if (n < 0 && e.erro == 0) e.erro = EIO;
      return -1;
    }
    e.pos = 0;
    e.fim = static_cast<std::size_t>(n);
  }
  return static_cast<unsigned char>(e.dados[e.pos]);
}

}  // namespace

Leitura LerValor(Entrada& e, int& valor) {
  int c = Espiar(e);
  while (EBranco(c)) {
    e.pos++;
    c = Espiar(e);
  }
  if (c < 0) return e.erro != 0 ? Leitura::Falha : Leitura::FimDaEntrada;

  bool negativo = false;
  if (c == '+' || c == '-') {
    negativo = c == '-';
    e.pos++;
    c = Espiar(e);
  }
  if (!EDigito(c)) {
    // Not a number: the rest of the line goes, so the prompt cannot repeat
    // on the same bytes forever.
    while (c >= 0 && c != '\n') {
      e.pos++;
      c = Espiar(e);
    }
    if (c == '\n') e.pos++;
    return Leitura::NaoNumero;
  }

  // Digits beyond the int range only need to stay beyond it.
  long long numero = 0;
  const long long teto = static_cast<long long>(INT_MAX) + 1;
  while (EDigito(c)) {
    if (numero <= teto) numero = numero * 10 + (c - '0');
    e.pos++;
    c = Espiar(e);
  }
  if (negativo) {
    valor = numero >= teto ? INT_MIN : static_cast<int>(-numero);
  } else {
    valor = numero > INT_MAX ? INT_MAX : static_cast<int>(numero);
  }
  return Leitura::Numero;
}

bool PausarGuardandoOResto(Entrada& e) {
  std::memmove(e.dados, e.dados + e.pos, e.fim - e.pos);
  e.fim -= e.pos;
  e.pos = 0;
  std::size_t guardados = 0;
  bool lido =
      PlataformaPausar(e.dados + e.fim, sizeof e.dados - e.fim, guardados);
  e.fim += guardados;
  if (!lido) e.erro = errno != 0 ? errno : EIO;
  return lido;
}
