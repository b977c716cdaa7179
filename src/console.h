// The console as every screen sees it: formatted text, clearing, the
// one-key pause and reading a number in a range.
#pragma once

#include "letras.h"

#if defined(__GNUC__) || defined(__clang__)
#define FORMATO_PRINTF(formato, primeiro) \
  __attribute__((format(printf, formato, primeiro)))
#else
#define FORMATO_PRINTF(formato, primeiro)
#endif

// Sets the character set from the locale. Called once, before any text.
void IniciarConsole();

// Formatted text to standard output, held until the next wait for the user
// so that a whole screen goes out in one write.
void Escrever(const char* formato, ...) FORMATO_PRINTF(1, 2);

// Writes out all that Escrever holds. When standard output cannot be
// written the program ends with status 1, saying why on standard error
// (silently for a closed pipe, as the shell expects).
void EsvaziarSaida();

void LimparTela();
void Pausar();

// Writes the prompt (a format with its letters as arguments) and reads
// numbers until one from 1 to maximo comes. At the end of input it writes a
// line end and ends the program with status 0; when input fails it ends it
// with status 1 and a line on standard error.
int LerNumero(const char* texto, int maximo, ...) FORMATO_PRINTF(1, 3);
