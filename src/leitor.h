// The number reader under LerNumero: one number at a time from a file
// descriptor, with the bytes taken from it but not used yet kept for the
// next read.
#pragma once

#include <cstddef>

// What the number reader works on: a file descriptor and the bytes taken
// from it but not used yet.
struct Entrada {
  int fd;
  char dados[4096];
  std::size_t pos;
  std::size_t fim;
  bool acabou;
  int erro;  // errno of a failed read, 0 at a plain end of input
};

enum class Leitura { Numero, NaoNumero, FimDaEntrada, Falha };

// One read of a number. Numero: valor holds it, clamped to the int range
// when too large. NaoNumero: the rest of the offending line was dropped.
// FimDaEntrada: nothing but blanks was left. Falha: the input could not be
// read (entrada.erro says why).
Leitura LerValor(Entrada& entrada, int& valor);
