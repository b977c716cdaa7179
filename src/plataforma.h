// The operating system's side of the console. It answers what the console
// layer asks and does what only the system can, but never calls back: the
// console layer owns the output buffer and decides when it goes out. CMake
// picks plataforma_posix.cpp, plataforma_windows.cpp or, for the web page,
// plataforma_web.cpp.
#pragma once

#include <cstddef>

#include "letras.h"

// Fills the table that turns code page 850 letters into the terminal's set.
void PlataformaIniciar(TabelaLetras& letras);

// Reads what is there, at least one byte, waiting while the descriptor has
// nothing yet (also when it was left non-blocking). Returns the count, 0 at
// the end of input, or -1 with errno set when the read failed.
long PlataformaLer(int fd, char* dados, std::size_t tamanho);

// Writes every byte to standard output, waiting while it is full; false
// with errno set when it cannot be written.
bool PlataformaEscrever(const char* dados, std::size_t tamanho);

// Clearing the screen and the pause's invitation are each a text that the
// console writes with the rest of the screen or, where that text is null,
// the system's own doing (the command interpreter's "cls" and "pause").

// What clears the screen, or null: PlataformaLimpar then clears it.
const char* PlataformaTextoLimpar();
void PlataformaLimpar();

// The pause's invitation, followed by a line end after the key, or null:
// PlataformaPausar's interpreter then writes its own.
const char* PlataformaTextoConvite();

// Waits for one key where standard input is a terminal. Whatever came
// after that key (at most `cabe` bytes, typed ahead in the same burst)
// goes to resto, its count to guardados, for the next read. False with
// errno set when input failed; the terminal is then as it was before.
bool PlataformaPausar(char* resto, std::size_t cabe, std::size_t& guardados);

// The texts of a terminal that reads escape sequences (POSIX, the page's
// own screen): home, erase the screen and its scrollback; and the
// invitation, here after the line end a suspended pause writes it with.
inline constexpr char limpar_com_escapes[] = "\033[H\033[2J\033[3J";
inline constexpr char convite_na_linha[] =
    "\nPressione qualquer tecla para continuar. . . ";
