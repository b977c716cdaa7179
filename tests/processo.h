// Child processes for the tests: the game started on a pipe or a
// terminal, its output read until a text or a deadline, and input written
// from another process.
#pragma once

#include <sys/types.h>

#include <string>

// fd has something to read within ms milliseconds. select(), since some
// systems' poll() refuses terminals.
bool Pronto(int fd, int ms);

enum class Lido { Texto, Fim, Prazo };

// Reads what fd gives into `visto` until `texto` (when not empty) stands
// in it after `desde` (Texto), the end of the output (Fim), or ms
// milliseconds (Prazo).
Lido LerAte(int fd, std::string& visto, int ms, const std::string& texto = "",
            std::size_t desde = 0);

// In a child: the game in place of this process, in a UTF-8 locale.
[[noreturn]] void TrocarPeloJogo();

// Writes `texto` to fd from a child process, so that texts larger than a
// pipe's buffer fit; the child's pid, to wait for.
pid_t EscreverDeOutroProcesso(int fd, const std::string& texto);
