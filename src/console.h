// The console as every screen sees it: formatted text, clearing, the
// one-key pause and reading a number in a range.
#pragma once

#include <cstddef>

// Code page 850 codes of the accented letters in our texts. A text writes
// each one through %c, so the byte written is the code; Escrever turns it
// into the terminal's own character set.
constexpr int C_CEDILHA_MAI = 128;      // Ç
constexpr int C_CEDILHA = 135;          // ç
constexpr int E_AGUDO_MAI = 144;        // É
constexpr int U_AGUDO = 163;            // ú
constexpr int A_TIL = 198;              // ã
constexpr int A_TIL_MAI = 199;          // Ã
constexpr int E_CIRCUNFLEXO_MAI = 210;  // Ê
constexpr int O_AGUDO_MAI = 224;        // Ó
constexpr int O_TIL_MAI = 229;          // Õ

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

// Writes out all that Escrever holds. Ends the program with status 1 if
// standard output is gone.
void EsvaziarSaida();

void LimparTela();
void Pausar();

// Writes the prompt (a format with its letters as arguments) and reads
// numbers until one from 1 to maximo comes. At the end of input it writes a
// line end and ends the program with status 0.
int LerNumero(const char* texto, int maximo, ...) FORMATO_PRINTF(1, 3);

// What the number reader works on: a file descriptor and the bytes taken
// from it but not used yet.
struct Entrada {
  int fd;
  char dados[4096];
  std::size_t pos;
  std::size_t fim;
  bool acabou;
};

enum class Leitura { Numero, NaoNumero, FimDaEntrada };

// One read of a number. Numero: valor holds it, clamped to the int range
// when too large. NaoNumero: the rest of the offending line was dropped.
// FimDaEntrada: nothing but blanks was left.
Leitura LerValor(Entrada& entrada, int& valor);

// How each byte from 128 to 255 goes out: an empty entry leaves it as it is.
struct TabelaLetras {
  char texto[128][8];
};
