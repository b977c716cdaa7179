#include "processo.h"

#include <sys/select.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

bool Pronto(int fd, int ms) {
  fd_set conjunto;
  FD_ZERO(&conjunto);
  FD_SET(fd, &conjunto);
  struct timeval prazo = {ms / 1000, (ms % 1000) * 1000};
  return select(fd + 1, &conjunto, nullptr, nullptr, &prazo) > 0;
}

Lido LerAte(int fd, std::string& visto, int ms, const std::string& texto,
            std::size_t desde) {
  using Relogio = std::chrono::steady_clock;
  auto limite = Relogio::now() + std::chrono::milliseconds(ms);
  for (;;) {
    if (!texto.empty() && visto.find(texto, desde) != std::string::npos)
      return Lido::Texto;
    auto falta = std::chrono::duration_cast<std::chrono::milliseconds>(
                     limite - Relogio::now())
                     .count();
    if (falta <= 0) return Lido::Prazo;
    if (!Pronto(fd, static_cast<int>(falta))) continue;
    char dados[65536];
    ssize_t n = read(fd, dados, sizeof dados);
    if (n <= 0) {
      bool achou =
          !texto.empty() && visto.find(texto, desde) != std::string::npos;
      return achou ? Lido::Texto : Lido::Fim;
    }
    visto.append(dados, static_cast<std::size_t>(n));
  }
}

void TrocarPeloJogo() {
  setenv("LC_ALL", "C.UTF-8", 1);
  execl(JOGO_CAMINHO, JOGO_CAMINHO, static_cast<char*>(nullptr));
  _exit(127);
}

pid_t EscreverDeOutroProcesso(int fd, const std::string& texto) {
  pid_t filho = fork();
  if (filho != 0) return filho;
  std::size_t feito = 0;
  while (feito < texto.size()) {
    ssize_t n = write(fd, texto.data() + feito, texto.size() - feito);
    if (n <= 0) _exit(1);
    feito += static_cast<std::size_t>(n);
  }
  _exit(0);
}
