// The Windows console: the command interpreter clears with "cls" and pauses
// with "pause". Our texts are code page 850 bytes; a console gets them as
// UTF-16, so they show right whatever code page it is set to, while a file
// or a pipe gets the bytes themselves.
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdlib>

#include "plataforma.h"

namespace {

// UTF-16 units converted and written at a time.
constexpr int pedaco = 4096;

// Writes the bytes to the console as UTF-16; false when that failed.
bool EscreverNoConsole(HANDLE console, const char* dados, std::size_t tamanho) {
  wchar_t largo[pedaco];
  while (tamanho > 0) {
    // One code page 850 byte is one UTF-16 unit, so a piece always fits.
    int parte = tamanho < pedaco ? static_cast<int>(tamanho) : pedaco;
    int n = MultiByteToWideChar(850, 0, dados, parte, largo, pedaco);
    if (n <= 0) return false;
    const wchar_t* resto = largo;
    while (n > 0) {
      DWORD escritos = 0;
      if (WriteConsoleW(console, resto, static_cast<DWORD>(n), &escritos,
                        nullptr) == 0 ||
          escritos == 0)
        return false;
      resto += escritos;
      n -= static_cast<int>(escritos);
    }
    dados += parte;
    tamanho -= static_cast<std::size_t>(parte);
  }
  return true;
}

}  // namespace

void PlataformaIniciar(TabelaLetras& letras) {
  // Code page 850 bytes go out unchanged: every entry stays empty.
  (void)letras;
}

long PlataformaLer(int fd, char* dados, std::size_t tamanho) {
  return _read(fd, dados, static_cast<unsigned>(tamanho));
}

bool PlataformaEscrever(const char* dados, std::size_t tamanho) {
  HANDLE saida = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD modo = 0;
  if (saida != INVALID_HANDLE_VALUE && saida != nullptr &&
      GetConsoleMode(saida, &modo) != 0) {
    if (EscreverNoConsole(saida, dados, tamanho)) return true;
    errno = EIO;
    return false;
  }
  while (tamanho > 0) {
    int n = _write(1, dados, static_cast<unsigned>(tamanho));
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    dados += n;
    tamanho -= static_cast<std::size_t>(n);
  }
  return true;
}

// The interpreter clears and writes the invitation itself.
const char* PlataformaTextoLimpar() { return nullptr; }
void PlataformaLimpar() { std::system("cls"); }
const char* PlataformaTextoConvite() { return nullptr; }

// The interpreter's pause takes its one key and leaves the rest.
bool PlataformaPausar(char* /*resto*/, std::size_t /*cabe*/,
                      std::size_t& guardados) {
  guardados = 0;
  std::system("pause");
  return true;
}
