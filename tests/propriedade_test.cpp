// Random keyboard sessions, piped through the game. Whatever comes in, the
// game must end at once with status 0, write nothing but its own texts, and
// keep every board and counter right. A failure names the seed that makes
// its input again: PROPRIEDADE_SEMENTE=N replays from it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "processo.h"
#include "textos.h"

namespace {

// ---- Random input ---------------------------------------------------------

std::string Entrada(std::mt19937& sorte) {
  auto ate = [&sorte](int n) {
    return static_cast<int>(sorte() % static_cast<unsigned>(n));
  };
  std::string texto;
  int pedacos = 1 + ate(120);
  for (int i = 0; i < pedacos; i++) {
    int tipo = ate(100);
    if (tipo < 55) {
      texto += std::to_string(1 + ate(8));  // a choice most prompts take
    } else if (tipo < 63) {
      const char* fora[] = {"0", "-1", "9", "-7", "+3", "+0", "100", "-0"};
      texto += fora[ate(8)];
    } else if (tipo < 67) {
      texto += ate(2) == 0 ? "99999999999" : "-2147483649";
    } else if (tipo < 71) {
      texto += ate(2) == 0 ? "+" : "-";
    } else if (tipo < 77) {
      const char* brancos[] = {" ", "\t", "\r", "\v", "\f", "\n\n"};
      texto += brancos[ate(6)];
    } else if (tipo < 83) {
      const char* palavras[] = {"abc", "sair", "x", "3x", "1.5", "Ã"};
      texto += palavras[ate(6)];
    } else if (tipo < 87) {
      texto += static_cast<char>(1 + ate(31));
    } else if (tipo < 91) {
      texto += static_cast<char>(128 + ate(128));
    } else if (tipo < 93) {
      texto += std::string(static_cast<std::size_t>(1 + ate(20000)), '7');
    } else if (tipo < 95) {
      texto += std::string(static_cast<std::size_t>(1 + ate(20000)), 'q');
    }
    texto += ate(4) == 0 ? " " : "\n";
  }
  // The end of input may come anywhere, even inside an entry.
  texto.resize(
      static_cast<std::size_t>(ate(static_cast<int>(texto.size()) + 1)));
  return texto;
}

// ---- Running the game -----------------------------------------------------

struct Resultado {
  std::string saida;
  int status = -1;
  bool pendurou = false;
};

Resultado Rodar(const std::string& entrada) {
  Resultado r;
  // The input sits in a file, so the game may read it at its own pace.
  std::FILE* temporario = std::tmpfile();
  if (temporario == nullptr) return r;
  int arquivo = fileno(temporario);
  if (write(arquivo, entrada.data(), entrada.size()) !=
      static_cast<ssize_t>(entrada.size())) {
    std::fclose(temporario);
    return r;
  }
  int tubo[2];
  if (pipe(tubo) != 0) {
    std::fclose(temporario);
    return r;
  }
  pid_t pid = fork();
  if (pid == 0) {
    dup2(arquivo, STDIN_FILENO);
    lseek(STDIN_FILENO, 0, SEEK_SET);
    dup2(tubo[1], STDOUT_FILENO);
    int nulo = open("/dev/null", O_WRONLY);
    if (std::getenv("PROPRIEDADE_STDERR") == nullptr) dup2(nulo, STDERR_FILENO);
    close(tubo[0]);
    close(tubo[1]);
    TrocarPeloJogo();
  }
  close(tubo[1]);
  std::fclose(temporario);
  if (LerAte(tubo[0], r.saida, 1000) == Lido::Prazo) {
    r.pendurou = true;
    kill(pid, SIGKILL);
  }
  close(tubo[0]);
  waitpid(pid, &r.status, 0);
  return r;
}

// ---- Reading the output back ----------------------------------------------

enum class Tipo {
  Texto,          // any fixed text of the game
  PromptArgolas,  // a game begins
  PromptDiscos,   // a solution list begins
  Linha,          // one board row
  Pe,             // the board's foot
  Contador,
  Vitoria,
  Mover,
};

struct Peca {
  Tipo tipo;
  std::array<int, 3> valores;  // row: the three cells; Mover: disc, from, to
};

const std::vector<std::string>& Textos() {
  static const std::vector<std::string> textos = {
      "\t\t---------------------------------------------------\n",
      "\t\t\t\tTORRE DE HAN\xC3\x93I\n",
      "\t\t---------------------------------------------------\n\n",
      " 1 - JOGAR\n",
      " 2 - INSTRU\xC3\x87\xC3\x95"
      "ES\n",
      " 3 - SEQU\xC3\x8ANCIA DE MOVIMENTOS\n",
      " 4 - SOBRE\n",
      " 5 - SAIR\n\n",
      prompt_menu,
      " Digite op\xC3\xA7\xC3\xA3o: ",
      "\f",
      "\n",
      "[1] A ==> B\t",
      "[2] A ==> C\n",
      "[3] B ==> A\t",
      "[4] B ==> C\n",
      "[5] C ==> A\t",
      "[6] C ==> B\t",
      "[7] SAIR\n\n",
      convite,
      "\n\n\n|1| Para Destino em (C)\n",
      "|2| Para Destino em (B)\n",
      "|3| SAIR\n\n\n",
      prompt_destino,
      "\n  - MOVIMENTAR UMA S\xC3\x93 PE\xC3\x87"
      "A DE CADA VEZ.\n\n",
      "   - UMA PE\xC3\x87"
      "A MAIOR N\xC3\x83O PODE FICAR ACIMA DE UMA MENOR.\n\n",
      "    - N\xC3\x83O \xC3\x89 PERMITIDO MOVIMENTAR UMA PE\xC3\x87"
      "A QUE ESTEJA "
      "ABAIXO DA OUTRA.\n\n",
      "\n  ETI: ESCOLA DE TORRES INVENTADAS.\n",
      "   CAMPUS SERRA DAS TR\xC3\x8AS HASTES.\n\n",
      "    FUNDADOR: JO\xC3\x83O DAS ARGOLAS.\n",
      "    CO-FUNDADOR: MARIA CONCEI\xC3\x87\xC3\x83O DOS DISCOS.\n\n",
  };
  return textos;
}

bool Comeca(const std::string& s, std::size_t pos, const std::string& parte) {
  return s.compare(pos, parte.size(), parte) == 0;
}

// Takes `parte` at pos, if it stands there.
bool Tomar(const std::string& s, std::size_t& pos, const std::string& parte) {
  if (!Comeca(s, pos, parte)) return false;
  pos += parte.size();
  return true;
}

// A number written by %d at pos, followed by `depois`.
bool Numero(const std::string& s, std::size_t& pos, const std::string& depois,
            int& valor) {
  std::size_t fim = pos;
  while (fim < s.size() && s[fim] >= '0' && s[fim] <= '9') fim++;
  if (fim == pos || fim - pos > 9 || !Comeca(s, fim, depois)) return false;
  valor = std::stoi(s.substr(pos, fim - pos));
  pos = fim + depois.size();
  return true;
}

// One tower cell: "<d>" or blanks, with `margem` blanks before the ring.
bool Celula(const std::string& s, std::size_t& pos, int margem, int& anel) {
  std::string vazio(static_cast<std::size_t>(margem) + 3, ' ');
  if (Comeca(s, pos, vazio)) {
    anel = 0;
    pos += vazio.size();
    return true;
  }
  std::string antes(static_cast<std::size_t>(margem), ' ');
  if (!Comeca(s, pos, antes + "<") || pos + antes.size() + 3 > s.size()) {
    return false;
  }
  char d = s[pos + antes.size() + 1];
  if (d < '1' || d > '8' || s[pos + antes.size() + 2] != '>') return false;
  anel = d - '0';
  pos += antes.size() + 3;
  return true;
}

// The parametrised pieces: a board row, the counter, the win, a move line.
bool Linha(const std::string& s, std::size_t& pos, Peca& p) {
  std::size_t i = pos + 2;
  if (!Comeca(s, pos, "\n\t") || !Celula(s, i, 0, p.valores[0]) ||
      !Celula(s, i, 2, p.valores[1]) || !Celula(s, i, 2, p.valores[2])) {
    return false;
  }
  p.tipo = Tipo::Linha;
  pos = i;
  return true;
}

bool ComValor(const std::string& s, std::size_t& pos, const std::string& antes,
              const std::string& depois, Tipo tipo, Peca& p) {
  std::size_t i = pos + antes.size();
  if (!Comeca(s, pos, antes) || !Numero(s, i, depois, p.valores[0]))
    return false;
  p.tipo = tipo;
  pos = i;
  return true;
}

bool Mover(const std::string& s, std::size_t& pos, Peca& p) {
  std::size_t i = pos + 13;
  if (!Comeca(s, pos, " Mover disco ") ||
      !Numero(s, i, " da torre ", p.valores[0]) || i + 17 > s.size() ||
      s.compare(i + 1, 14, " para a torre ") != 0 || s[i + 16] != '\n') {
    return false;
  }
  p.tipo = Tipo::Mover;
  p.valores[1] = s[i];
  p.valores[2] = s[i + 15];
  pos = i + 17;
  return true;
}

// Splits the output into the game's own pieces; false at the first byte
// that begins none of them, with `pos` there.
bool Pecas(const std::string& s, std::vector<Peca>& pecas, std::size_t& pos) {
  pos = 0;
  while (pos < s.size()) {
    Peca p{Tipo::Texto, {0, 0, 0}};
    if (Tomar(s, pos, pe_do_tabuleiro)) {
      p.tipo = Tipo::Pe;
    } else if (Tomar(s, pos, prompt_argolas)) {
      p.tipo = Tipo::PromptArgolas;
    } else if (Tomar(s, pos, prompt_discos)) {
      p.tipo = Tipo::PromptDiscos;
    } else if (!Linha(s, pos, p) &&
               !ComValor(s, pos, "N\xC3\xBAmero de Movimentos: ", "\n",
                         Tipo::Contador, p) &&
               !ComValor(s, pos, "Parabens, voce conseguiu em ",
                         " movimentos!\n", Tipo::Vitoria, p) &&
               !Mover(s, pos, p)) {
      std::size_t maior = 0;
      for (const std::string& t : Textos()) {
        if (t.size() > maior && Comeca(s, pos, t)) maior = t.size();
      }
      if (maior == 0) return false;
      pos += maior;
    }
    pecas.push_back(p);
  }
  return true;
}

// ---- What must hold -------------------------------------------------------

using Torres = std::array<std::vector<int>, 3>;

// Each ring 1 to n once; on each tower the rings sit together at the bottom,
// smaller above larger.
std::string ConferirTorres(const Torres& t, int n) {
  std::vector<int> vistos(static_cast<std::size_t>(n) + 1, 0);
  for (const auto& torre : t) {
    bool apoiado = false;
    int acima = 0;
    for (int anel : torre) {
      if (anel == 0) {
        if (apoiado) return "a gap under a ring";
        continue;
      }
      if (anel > n) return "a ring larger than the count";
      if (apoiado && anel <= acima) return "a ring on a smaller one";
      apoiado = true;
      acima = anel;
      vistos[static_cast<std::size_t>(anel)]++;
    }
  }
  for (int anel = 1; anel <= n; anel++) {
    if (vistos[static_cast<std::size_t>(anel)] != 1)
      return "a ring not there once";
  }
  return "";
}

int Topo(const std::vector<int>& torre) {
  for (int anel : torre) {
    if (anel != 0) return anel;
  }
  return 0;
}

// The one move model of these checks: the top ring of tower `de` to the
// lowest empty slot of tower `para`, whatever is under it there.
void MoverTopo(Torres& t, int de, int para) {
  int anel = Topo(t[de]);
  for (int& slot : t[de]) {
    if (slot == anel) {
      slot = 0;
      break;
    }
  }
  auto& destino = t[para];
  for (std::size_t i = destino.size(); i-- > 0;) {
    if (destino[i] == 0) {
      destino[i] = anel;
      break;
    }
  }
}

// The same towers, or the towers after one move of a top ring.
bool UmPasso(const Torres& antes, const Torres& depois) {
  if (antes == depois) return true;
  for (int de = 0; de < 3; de++) {
    for (int para = 0; para < 3; para++) {
      if (de == para || Topo(antes[de]) == 0) continue;
      Torres t = antes;
      MoverTopo(t, de, para);
      if (t == depois) return true;
    }
  }
  return false;
}

// Every board of a game right, from its first (all rings on A) to the
// win: one move or none from the board before, the counter one up at each
// choice, the win only with every ring on B or on C.
std::string ConferirJogos(const std::vector<Peca>& pecas) {
  std::vector<std::array<int, 3>> linhas;
  Torres anterior;
  bool em_jogo = false;
  bool tem_anterior = false;
  int contador = -1;
  for (const Peca& p : pecas) {
    if (p.tipo == Tipo::PromptArgolas) {
      em_jogo = true;
      tem_anterior = false;
      contador = -1;
    } else if (p.tipo == Tipo::PromptDiscos) {
      continue;
    } else if (p.tipo == Tipo::Linha) {
      linhas.push_back(p.valores);
    } else if (p.tipo == Tipo::Pe) {
      if (!em_jogo) return "a board outside a game";
      int n = static_cast<int>(linhas.size());
      if (n < 1 || n > 8) return "a board of " + std::to_string(n) + " rows";
      Torres t;
      for (int k = 0; k < 3; k++) {
        for (const auto& linha : linhas) t[k].push_back(linha[k]);
      }
      linhas.clear();
      std::string erro = ConferirTorres(t, n);
      if (!erro.empty()) return erro;
      if (!tem_anterior) {
        for (int i = 0; i < n; i++) {
          if (t[0][static_cast<std::size_t>(i)] != i + 1)
            return "a game not starting on A";
        }
      } else if (t[0].size() != anterior[0].size()) {
        return "the ring count changed in a game";
      } else if (!UmPasso(anterior, t)) {
        return "a board more than one move from the one before";
      }
      anterior = t;
      tem_anterior = true;
    } else if (!linhas.empty()) {
      return "board rows without their foot";
    } else if (p.tipo == Tipo::Contador) {
      if (!tem_anterior || p.valores[0] != contador + 1) {
        return "the counter went from " + std::to_string(contador) + " to " +
               std::to_string(p.valores[0]);
      }
      contador = p.valores[0];
    } else if (p.tipo == Tipo::Vitoria) {
      if (!tem_anterior || p.valores[0] != contador + 1)
        return "a wrong winning count";
      // Rings all on B or all on C: A and one of them are empty.
      bool a_vazia = Topo(anterior[0]) == 0;
      if (!a_vazia || (Topo(anterior[1]) != 0 && Topo(anterior[2]) != 0)) {
        return "a win with the rings not all on B or C";
      }
      em_jogo = false;
    }
  }
  if (!linhas.empty()) return "board rows at the end";
  return "";
}

// A solution list of n discs, played on eight discs on A as it is
// printed: 2^n - 1 moves, each of a top disc onto a larger one or an empty
// tower, ending with the n discs on one tower.
std::string ConferirLista(const Torres& lista, int movidos) {
  int n = 0;
  while ((1 << n) - 1 < movidos) n++;
  if ((1 << n) - 1 != movidos) return "a solution list of the wrong length";
  // Those above n never leave A.
  int resta_em_A = n < 8 ? n + 1 : 0;
  if (Topo(lista[0]) != resta_em_A ||
      (Topo(lista[1]) != 0 && Topo(lista[2]) != 0)) {
    return "a solution list that does not end on one tower";
  }
  return "";
}

std::string ConferirListas(const std::vector<Peca>& pecas) {
  Torres lista;
  int movidos = 0;
  bool em_lista = false;
  for (const Peca& p : pecas) {
    if (p.tipo != Tipo::Mover && em_lista && movidos > 0) {
      em_lista = false;
      std::string erro = ConferirLista(lista, movidos);
      if (!erro.empty()) return erro;
    }
    if (p.tipo == Tipo::PromptDiscos) {
      em_lista = true;
      movidos = 0;
      for (auto& torre : lista) torre.assign(8, 0);
      for (int i = 0; i < 8; i++) lista[0][static_cast<std::size_t>(i)] = i + 1;
    } else if (p.tipo == Tipo::Mover) {
      if (!em_lista) return "a move line outside a solution list";
      int disco = p.valores[0];
      int de = p.valores[1] - 'A';
      int para = p.valores[2] - 'A';
      if (de < 0 || de > 2 || para < 0 || para > 2 || de == para)
        return "bad towers";
      if (Topo(lista[de]) != disco)
        return "a listed disc not on top of its tower";
      int sob = Topo(lista[para]);
      if (sob != 0 && sob < disco) return "a listed move onto a smaller disc";
      MoverTopo(lista, de, para);
      movidos++;
    }
  }
  return em_lista && movidos > 0 ? ConferirLista(lista, movidos) : "";
}

std::string Visivel(const std::string& s) {
  std::string v;
  for (unsigned char c : s) {
    if (c == '\n') {
      v += "\\n";
    } else if (c == '\t') {
      v += "\\t";
    } else if (c < 32 || c >= 127) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      v += hex;
    } else {
      v += static_cast<char>(c);
    }
  }
  return v;
}

}  // namespace

TEST(SessoesAleatorias, EndCleanlyAndWriteOnlyTheGamesOwnScreens) {
  unsigned semente_base = 20261208;
  int sessoes = 1500;
  if (const char* s = std::getenv("PROPRIEDADE_SEMENTE")) {
    semente_base = static_cast<unsigned>(std::strtoul(s, nullptr, 10));
  }
  if (const char* s = std::getenv("PROPRIEDADE_SESSOES"))
    sessoes = std::atoi(s);

  int falhas = 0;
  for (int i = 0; i < sessoes && falhas < 3; i++) {
    unsigned semente = semente_base + static_cast<unsigned>(i);
    std::mt19937 sorte(semente);
    std::string entrada = Entrada(sorte);
    Resultado r = Rodar(entrada);

    std::string problema;
    std::vector<Peca> pecas;
    std::size_t pos = 0;
    if (r.pendurou) {
      problema = "still running after a second";
    } else if (!WIFEXITED(r.status) || WEXITSTATUS(r.status) != 0) {
      problema = "wait status " + std::to_string(r.status);
    } else if (!Pecas(r.saida, pecas, pos)) {
      problema = "a text that is not the game's at byte " +
                 std::to_string(pos) + ": " + Visivel(r.saida.substr(pos, 60));
    } else if (r.saida.empty() ||
               (r.saida.back() != '\n' && r.saida.back() != '\f')) {
      problema = "output not ending with a line end or a clear";
    } else {
      problema = ConferirJogos(pecas);
      if (problema.empty()) problema = ConferirListas(pecas);
    }
    if (!problema.empty()) {
      falhas++;
      ADD_FAILURE() << "seed " << semente << " (PROPRIEDADE_SEMENTE=" << semente
                    << " PROPRIEDADE_SESSOES=1): " << problema
                    << "\ninput: " << Visivel(entrada.substr(0, 300));
    }
  }
}
