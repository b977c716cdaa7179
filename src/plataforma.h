// The operating system's side of the console. It answers what the console
// layer asks and does what only the system can, but never calls back: the
// console layer owns the output buffer and decides when it goes out. CMake
// picks terminal_posix.cpp, terminal_windows.cpp or, for the web page,
// terminal_web.cpp.
#pragma once

#include <cstddef>

#include "letras.h"

// Fills the table that turns code page 850 letters into the terminal's set.
void TerminalIniciar(TabelaLetras& letras);

// Reads what is there, at least one byte, waiting while the descriptor has
// nothing yet (also when it was left non-blocking). Returns the count, 0 at
// the end of input, or -1 with errno set when the read failed.
long TerminalLer(int fd, char* dados, std::size_t tamanho);

// Writes every byte to standard output, waiting while it is full; false
// with errno set when it cannot be written.
bool TerminalEscrever(const char* dados, std::size_t tamanho);

// What clears the screen, to be written like any other text; null where
// the command interpreter clears it through TerminalLimpar.
const char* TextoLimpar();
void TerminalLimpar();

// The pause's invitation, to be written before TerminalPausar and followed
// by a line end after it; null where the command interpreter writes its own.
const char* TextoConvite();

// Waits for one key where standard input is a terminal. Whatever came
// after that key (at most `cabe` bytes, typed ahead in the same burst)
// goes to resto, its count to guardados, for the next read. False with
// errno set when input failed; the terminal is then as it was before.
bool TerminalPausar(char* resto, std::size_t cabe, std::size_t& guardados);

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
// The letter table for a locale name (null when setlocale failed) and the
// codeset it reports.
void MontarTabela(const char* nome_locale, const char* codeset,
                  TabelaLetras& letras);
#endif
