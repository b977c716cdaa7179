// The number reader under LerNumero: one number at a time from a file
// descriptor, with the bytes taken from it but not used yet kept for the
// next read.
#pragma once

#include <cstddef>

// What the number reader works on: a file descriptor and the bytes taken
// from it but not used yet.
struct Entrada {
  int fd = 0;
  char dados[4096] = {};
  std::size_t pos = 0;  // the next byte to use
  std::size_t fim = 0;  // past the last byte held
  bool acabou = false;
  int erro = 0;  // errno of a failed read, 0 at a plain end of input
};

enum class Leitura { Numero, NaoNumero, FimDaEntrada, Falha };

// One read of a number. Numero: valor holds it, clamped to the int range
// when too large. NaoNumero: the rest of the offending line was dropped.
// FimDaEntrada: nothing but blanks was left. Falha: the input could not be
// read (entrada.erro says why).
Leitura LerValor(Entrada& entrada, int& valor);

// The pause's one key, read through PlataformaPausar; whatever came after
// it in the same burst is kept behind the bytes the reader still holds,
// for the next prompt. False, with entrada.erro set as a failed read sets
// it, when the key could not be read.
bool PausarGuardandoOResto(Entrada& entrada);
