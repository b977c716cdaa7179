// The game on a real (pseudo-)terminal, typed at as a person types.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#if defined(__APPLE__) || defined(__NetBSD__) || defined(__OpenBSD__)
#include <util.h>
#elif defined(__FreeBSD__) || defined(__DragonFly__)
#include <libutil.h>
#else
#include <pty.h>
#endif

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <ostream>
#include <string>

#include "processo.h"
#include "textos.h"

namespace {

using Relogio = std::chrono::steady_clock;

enum class Via { Terminal, Tubo };

// How the game's start differs from a plain one in a terminal.
enum class Ajuste {
  Nenhum,
  IgnorarHup,   // SIGHUP ignored, as under nohup
  SemBloqueio,  // the terminal left non-blocking by an earlier program
  TermBurro,    // TERM=dumb, as in Emacs's shell
};

// The game runs in its own foreground process group under a small leader,
// as under a shell: a stop signal is ignored in an orphaned group, so the
// game cannot be the session leader itself. The leader reports the game's
// pid, then its wait status, through `aviso`.
struct Partida {
  pid_t lider = -1;
  pid_t pid = -1;
  int mestre = -1;   // the terminal, as the keyboard and screen see it
  int escravo = -1;  // held open here to read the terminal's mode
  int entrada = -1;  // where keys go: the terminal or a pipe
  int saida = -1;    // where the game's output is read
  int aviso = -1;
  std::string visto;  // everything read from the game so far
  std::size_t marca = 0;

  Partida(const Partida&) = delete;
  Partida& operator=(const Partida&) = delete;
  Partida() = default;
  ~Partida() {
    if (pid > 0) kill(pid, SIGKILL);
    if (lider > 0) {
      kill(lider, SIGKILL);
      waitpid(lider, nullptr, 0);
    }
    for (int fd : {mestre, escravo, entrada, saida, aviso}) {
      if (fd >= 0 && fd != mestre) close(fd);
    }
    if (mestre >= 0) close(mestre);
  }
};

void Iniciar(Partida& p, Via entrada = Via::Terminal, Via saida = Via::Terminal,
             Ajuste ajuste = Ajuste::Nenhum) {
  int aviso[2], tubo_in[2] = {-1, -1}, tubo_out[2] = {-1, -1};
  ASSERT_EQ(pipe(aviso), 0);
  if (entrada == Via::Tubo) {
    ASSERT_EQ(pipe(tubo_in), 0);
  }
  if (saida == Via::Tubo) {
    ASSERT_EQ(pipe(tubo_out), 0);
  }

  struct winsize tamanho = {40, 100, 0, 0};
  p.lider = forkpty(&p.mestre, nullptr, nullptr, &tamanho);
  ASSERT_GE(p.lider, 0);
  if (p.lider == 0) {
    close(aviso[0]);
    pid_t jogo = fork();
    if (jogo == 0) {
      setpgid(0, 0);
      signal(SIGTTOU, SIG_IGN);
      tcsetpgrp(STDIN_FILENO, getpid());
      signal(SIGTTOU, SIG_DFL);
      if (tubo_in[0] >= 0) dup2(tubo_in[0], STDIN_FILENO);
      if (tubo_out[1] >= 0) dup2(tubo_out[1], STDOUT_FILENO);
      for (int fd :
           {aviso[1], tubo_in[0], tubo_in[1], tubo_out[0], tubo_out[1]}) {
        if (fd > STDERR_FILENO) close(fd);
      }
      struct rlimit sem_core = {0, 0};
      setrlimit(RLIMIT_CORE, &sem_core);
      setenv("TERM", ajuste == Ajuste::TermBurro ? "dumb" : "xterm", 1);
      if (ajuste == Ajuste::IgnorarHup) signal(SIGHUP, SIG_IGN);
      if (ajuste == Ajuste::SemBloqueio)
        fcntl(STDIN_FILENO, F_SETFL, fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
      TrocarPeloJogo();
    }
    setpgid(jogo, jogo);
    int status = 0;
    if (write(aviso[1], &jogo, sizeof jogo) != sizeof jogo) _exit(1);
    while (waitpid(jogo, &status, 0) < 0) {
    }
    if (write(aviso[1], &status, sizeof status) != sizeof status) _exit(1);
    _exit(0);
  }

  close(aviso[1]);
  p.aviso = aviso[0];
  ASSERT_EQ(read(p.aviso, &p.pid, sizeof p.pid),
            static_cast<ssize_t>(sizeof p.pid));
  p.escravo = open(ptsname(p.mestre), O_RDWR | O_NOCTTY);
  ASSERT_GE(p.escravo, 0);
  p.entrada = p.mestre;
  p.saida = p.mestre;
  if (entrada == Via::Tubo) {
    close(tubo_in[0]);
    p.entrada = tubo_in[1];
  }
  if (saida == Via::Tubo) {
    close(tubo_out[1]);
    p.saida = tubo_out[0];
  }
}

void Digitar(Partida& p, const std::string& teclas) {
  ASSERT_EQ(write(p.entrada, teclas.data(), teclas.size()),
            static_cast<ssize_t>(teclas.size()));
}

// Reads the game's output for up to ms milliseconds, stopping early once
// `texto` stands after the mark; returns whether it does.
bool Ler(Partida& p, int ms, const std::string& texto = "") {
  return LerAte(p.saida, p.visto, ms, texto, p.marca) == Lido::Texto;
}

// Waits for `texto` and moves the mark past it.
bool Esperar(Partida& p, const std::string& texto, int ms = 3000) {
  if (!Ler(p, ms, texto)) return false;
  p.marca = p.visto.find(texto, p.marca) + texto.size();
  return true;
}

// Starts the game, its input on the terminal, and waits for the menu.
bool NoMenu(Partida& p, Via saida = Via::Terminal,
            Ajuste ajuste = Ajuste::Nenhum) {
  Iniciar(p, Via::Terminal, saida, ajuste);
  return !::testing::Test::HasFatalFailure() && Esperar(p, prompt_menu);
}

// Nothing new arrives for ms milliseconds.
bool Silencio(Partida& p, int ms) {
  std::size_t antes = p.visto.size();
  Ler(p, ms);
  return p.visto.size() == antes;
}

// The game's wait status, once it has ended.
int Fim(Partida& p) {
  int status = -1;
  if (Pronto(p.aviso, 3000) && read(p.aviso, &status, sizeof status) ==
                                   static_cast<ssize_t>(sizeof status)) {
    p.pid = -1;
  }
  return status;
}

// The game ended by itself with status 0.
::testing::AssertionResult TerminouBem(Partida& p) {
  int status = Fim(p);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "wait status " << status;
}

// Leaves through the menu's choice 5.
::testing::AssertionResult Sair(Partida& p) {
  Digitar(p, "5\n");
  return TerminouBem(p);
}

std::size_t Contar(const std::string& texto, const std::string& parte) {
  std::size_t n = 0;
  for (auto i = texto.find(parte); i != std::string::npos;
       i = texto.find(parte, i + 1))
    n++;
  return n;
}

struct termios Modo(const Partida& p) {
  struct termios modo {};
  tcgetattr(p.escravo, &modo);
  return modo;
}

bool EmModoTecla(const Partida& p) { return (Modo(p).c_lflag & ICANON) == 0; }

bool MesmoModo(const struct termios& a, const struct termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag &&
         a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
         std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

// The state letter of /proc/PID/stat: R, S, T (stopped) ...
char Estado(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string linha;
  std::getline(stat, linha);
  auto fecha = linha.rfind(')');
  return fecha == std::string::npos || fecha + 2 >= linha.size()
             ? '?'
             : linha[fecha + 2];
}

bool Aguardar(bool (*condicao)(const Partida&), const Partida& p,
              int ms = 2000) {
  auto limite = Relogio::now() + std::chrono::milliseconds(ms);
  while (Relogio::now() < limite) {
    if (condicao(p)) return true;
    usleep(5000);
  }
  return condicao(p);
}

// Starts the game, opens the rules and waits until the pause holds.
void AteAPausa(Partida& p, struct termios& antes) {
  ASSERT_TRUE(NoMenu(p));
  antes = Modo(p);
  Digitar(p, "2\n");
  ASSERT_TRUE(Esperar(p, limpar));
  ASSERT_TRUE(Esperar(p, "ABAIXO DA OUTRA."));
  ASSERT_TRUE(Esperar(p, convite));
  ASSERT_TRUE(Aguardar(EmModoTecla, p));
}

}  // namespace

TEST(Terminal, PauseWaitsForOneKeyWithoutEnter) {
  Partida p;
  struct termios antes {};
  AteAPausa(p, antes);
  EXPECT_TRUE(Silencio(p, 300));
  Digitar(p, "x");
  ASSERT_TRUE(Esperar(p, limpar));
  ASSERT_TRUE(Esperar(p, prompt_menu));
  EXPECT_TRUE(MesmoModo(Modo(p), antes));
  // Had the key reached the number reader, the prompt would come twice.
  EXPECT_TRUE(Silencio(p, 200));
  EXPECT_EQ(Contar(p.visto.substr(p.visto.find(convite)), "Digite op"), 1U);
  EXPECT_EQ(p.visto.find('x', p.visto.find(convite)), std::string::npos)
      << "key echoed";
  EXPECT_TRUE(Sair(p));
}

TEST(Terminal, AnArrowKeyEndsThePauseAndLeavesNothingBehind) {
  Partida p;
  struct termios antes {};
  AteAPausa(p, antes);
  // Its bytes may come apart, as over a slow link.
  Digitar(p, "\033");
  usleep(10000);
  Digitar(p, "[A");
  ASSERT_TRUE(Esperar(p, prompt_menu));
  EXPECT_TRUE(Silencio(p, 200));
  EXPECT_EQ(Contar(p.visto.substr(p.visto.find(convite)), "Digite op"), 1U);
  EXPECT_TRUE(Sair(p));
}

TEST(Terminal, KeysTypedAfterThePauseKeyInOneBurstReachTheMenu) {
  // A fast typist or a paste: the key (a letter, a blank, Enter, an arrow,
  // an accented letter) and then 5 and Enter, which leave from the menu.
  for (const char* rajada : {"x5\n", " 5\n", "\r5\n", "\033[A5\n",
                             "\303\251"
                             "5\n"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(rajada)));
    Partida p;
    struct termios antes {};
    AteAPausa(p, antes);
    Digitar(p, rajada);
    EXPECT_TRUE(TerminouBem(p));
    EXPECT_TRUE(MesmoModo(Modo(p), antes));
  }
}

TEST(Terminal, KeysTypedBeforeThePauseDoNotEndIt) {
  Partida p;
  ASSERT_TRUE(NoMenu(p));
  // The x arrives with the choice, long before the invitation is written.
  Digitar(p, "2\nx");
  ASSERT_TRUE(Esperar(p, convite));
  EXPECT_TRUE(Silencio(p, 300));
  Digitar(p, "k");
  EXPECT_TRUE(Esperar(p, prompt_menu));
}

TEST(Terminal, TwoNumbersOnALineAnswerTwoPromptsAcrossAPause) {
  Partida p;
  ASSERT_TRUE(NoMenu(p));
  Digitar(p, "4 5\n");
  ASSERT_TRUE(Esperar(p, "CO-FUNDADOR: "));
  ASSERT_TRUE(Esperar(p, convite));
  EXPECT_TRUE(Silencio(p, 200));
  Digitar(p, " ");
  // The 5 typed with the 4 leaves at once.
  EXPECT_TRUE(TerminouBem(p));
}

TEST(Terminal, EachSignalDuringThePauseRestoresTheModeAndKills) {
  struct Caso {
    int sinal;
    const char* tecla;  // typed at the keyboard, or sent with kill
  };
  for (Caso caso : {Caso{SIGINT, "\003"}, Caso{SIGQUIT, "\034"},
                    Caso{SIGTERM, nullptr}, Caso{SIGHUP, nullptr}}) {
    SCOPED_TRACE(strsignal(caso.sinal));
    Partida p;
    struct termios antes {};
    AteAPausa(p, antes);
    EXPECT_FALSE(MesmoModo(Modo(p), antes));
    if (caso.tecla != nullptr) {
      Digitar(p, caso.tecla);
    } else {
      kill(p.pid, caso.sinal);
    }
    int status = Fim(p);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == caso.sinal)
        << status;
    EXPECT_TRUE(MesmoModo(Modo(p), antes));
  }
}

TEST(Terminal, ASignalIgnoredAtTheStartStaysIgnoredDuringThePause) {
  Partida p;
  ASSERT_TRUE(NoMenu(p, Via::Terminal, Ajuste::IgnorarHup));
  Digitar(p, "4\n");
  ASSERT_TRUE(Esperar(p, convite));
  ASSERT_TRUE(Aguardar(EmModoTecla, p));
  kill(p.pid, SIGHUP);
  EXPECT_TRUE(Silencio(p, 200));
  Digitar(p, "k");
  ASSERT_TRUE(Esperar(p, prompt_menu));
  EXPECT_TRUE(Sair(p));
}

TEST(Terminal, SuspendRestoresTheModeAndContinueResumesThePause) {
  Partida p;
  struct termios antes {};
  AteAPausa(p, antes);
  Digitar(p, "\032");  // Ctrl-Z
  auto parado = [](const Partida& q) { return Estado(q.pid) == 'T'; };
  ASSERT_TRUE(Aguardar(parado, p));
  EXPECT_TRUE(MesmoModo(Modo(p), antes));

  // As after fg: the invitation comes again on a line of its own, once.
  kill(p.pid, SIGCONT);
  EXPECT_TRUE(Aguardar(EmModoTecla, p));
  EXPECT_TRUE(Esperar(p, std::string("\r\n") + convite));
  EXPECT_TRUE(Silencio(p, 200));
  EXPECT_EQ(Contar(p.visto, convite), 2U);
  Digitar(p, "k");
  ASSERT_TRUE(Esperar(p, prompt_menu));
  EXPECT_TRUE(MesmoModo(Modo(p), antes));
  EXPECT_TRUE(Sair(p));
}

TEST(Terminal, PromptsKeepEchoAndLineEditing) {
  Partida p;
  ASSERT_TRUE(NoMenu(p));
  // Backspace takes back the 2 and Ctrl-U the 5 after it: the line is 5.
  Digitar(p, "2\1775");
  ASSERT_TRUE(Esperar(p, "5"));  // echoed by the terminal
  Digitar(p, "\025");
  EXPECT_TRUE(Sair(p));
  EXPECT_EQ(p.visto.find(convite), std::string::npos) << "a screen was opened";
}

TEST(Terminal, CtrlDAtAPromptEndsWithStatusZero) {
  Partida p;
  ASSERT_TRUE(NoMenu(p));
  Digitar(p, "\004");
  EXPECT_TRUE(TerminouBem(p));
}

TEST(Terminal, PipeInTerminalOutClearsWithEscapesAndDoesNotWait) {
  Partida p;
  Iniciar(p, Via::Tubo, Via::Terminal);
  Digitar(p, "2\n5\n");
  ASSERT_TRUE(Esperar(p, limpar));
  ASSERT_TRUE(Esperar(p, convite));
  ASSERT_TRUE(Esperar(p, prompt_menu));
  EXPECT_TRUE(TerminouBem(p));
}

TEST(Terminal, ATerminalLeftNonBlockingStillWaitsForTheUser) {
  Partida p;
  ASSERT_TRUE(NoMenu(p, Via::Terminal, Ajuste::SemBloqueio));
  // Waiting, not taking EAGAIN for the end of input, and not spinning.
  EXPECT_TRUE(Silencio(p, 1000));
  EXPECT_EQ(Estado(p.pid), 'S');
  Digitar(p, "2\n");
  ASSERT_TRUE(Esperar(p, convite));
  EXPECT_TRUE(Silencio(p, 300));
  EXPECT_EQ(Estado(p.pid), 'S');
  Digitar(p, "k");
  ASSERT_TRUE(Esperar(p, prompt_menu));
  EXPECT_TRUE(Sair(p));
}

// Where the screen cannot be cleared with escape sequences, a form feed
// clears it, and the pause still waits for one key on the terminal.
struct SemEscapes {
  const char* nome;
  Via saida;
  Ajuste ajuste;
  const char* limpo;    // the form feed and the rules' first line after it
  const char* ausente;  // never written
};

void PrintTo(const SemEscapes& caso, std::ostream* saida) {
  *saida << caso.nome;
}

class FormFeed : public ::testing::TestWithParam<SemEscapes> {};

TEST_P(FormFeed, ClearsAndTheKeyWaits) {
  SemEscapes caso = GetParam();
  Partida p;
  ASSERT_TRUE(NoMenu(p, caso.saida, caso.ajuste));
  Digitar(p, "2\n");
  ASSERT_TRUE(Esperar(p, caso.limpo));
  ASSERT_TRUE(Esperar(p, convite));
  EXPECT_TRUE(Silencio(p, 300));
  Digitar(p, "k");
  ASSERT_TRUE(Esperar(p, prompt_menu));
  EXPECT_EQ(p.visto.find(caso.ausente), std::string::npos);
  EXPECT_TRUE(Sair(p));
}

INSTANTIATE_TEST_SUITE_P(
    Terminal, FormFeed,
    ::testing::Values(SemEscapes{"TerminalInPipeOutWaitsAndClearsWithAFormFeed",
                                 Via::Tubo, Ajuste::Nenhum,
                                 "\f\n  - MOVIMENTAR", limpar},
                      SemEscapes{"ADumbTerminalGetsAFormFeedAndTheKeyWait",
                                 Via::Terminal, Ajuste::TermBurro,
                                 "\f\r\n  - MOVIMENTAR", "\033"}),
    [](const ::testing::TestParamInfo<SemEscapes>& caso) {
      return std::string(caso.param.nome);
    });
