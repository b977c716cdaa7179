// The operating system's side of the console. Only console.cpp calls it;
// CMake picks terminal_posix.cpp or terminal_windows.cpp.
#pragma once

#include <cstddef>

#include "console.h"

// Fills the table that turns code page 850 letters into the terminal's set.
void TerminalIniciar(TabelaLetras& letras);

// Reads what is there, at least one byte; 0 at the end of input or on error.
std::size_t TerminalLer(int fd, char* dados, std::size_t tamanho);

// Writes every byte to standard output; false when it cannot be written.
bool TerminalEscrever(const char* dados, std::size_t tamanho);

void TerminalLimpar();
void TerminalPausar();

#ifndef _WIN32
// The letter table for a locale name (null when setlocale failed) and the
// codeset it reports.
void MontarTabela(const char* nome_locale, const char* codeset,
                  TabelaLetras& letras);
#endif
