// POSIX terminals: escape sequences to clear, a one-key pause in
// non-canonical mode, and the locale's character set for the letters.
// Three concerns, each under its banner: reads and writes that wait on a
// descriptor left non-blocking; the pause (the signals while it holds the
// terminal, then the key's bytes and the terminal's mode); the letter
// table.
#include "plataforma_posix.h"

#include <iconv.h>
#include <langinfo.h>
#include <strings.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "plataforma.h"

namespace {

// ------------------------------------- reads and writes that wait for fd

// Waits until fd can be read (or written), at most `ms` milliseconds when
// ms >= 0. select(), not poll(): some systems' poll() refuses terminals.
// Returns 1 when ready, 0 when the time ran out, -1 with errno on failure.
int EsperarPronto(int fd, bool escrever, int ms) {
  if (fd < 0 || fd >= FD_SETSIZE) {
    errno = EBADF;
    return -1;
  }
  for (;;) {
    fd_set conjunto;
    FD_ZERO(&conjunto);
    FD_SET(fd, &conjunto);
    struct timeval prazo {};
    prazo.tv_sec = ms / 1000;
    prazo.tv_usec = static_cast<suseconds_t>(ms % 1000) * 1000;
    int r = select(fd + 1, escrever ? nullptr : &conjunto,
                   escrever ? &conjunto : nullptr, nullptr,
                   ms >= 0 ? &prazo : nullptr);
    if (r < 0 && errno == EINTR) continue;
    return r;
  }
}

bool TentarDeNovo(int erro) { return erro == EAGAIN || erro == EWOULDBLOCK; }

// A read that waits while the descriptor, left non-blocking by somebody
// else, has nothing yet; the flag itself is shared, so it stays as it is.
long LerEsperando(int fd, void* dados, std::size_t tamanho) {
  for (;;) {
    ssize_t n = read(fd, dados, tamanho);
    if (n >= 0) return static_cast<long>(n);
    if (errno == EINTR) continue;
    if (!TentarDeNovo(errno) || EsperarPronto(fd, false, -1) < 0) return -1;
  }
}

// ---------------------------------------------------- the pause: signals

// The terminal's mode before the pause and the pause's own; the signal
// handlers must reach both, so they cannot live on a stack.
struct termios modo_anterior;
struct termios modo_tecla;

extern "C" void AoSinalFatal(int sinal) {
  // SA_RESETHAND put the default action back: raise ends the program by
  // the same signal once the terminal is as it was. Every signal is blocked
  // while a handler runs, so this one is let through first.
  tcsetattr(STDIN_FILENO, TCSANOW, &modo_anterior);
  sigset_t este;
  sigemptyset(&este);
  sigaddset(&este, sinal);
  sigprocmask(SIG_UNBLOCK, &este, nullptr);
  (void)raise(sinal);
}

extern "C" void AoSuspender(int /*sinal*/) {
  int erro = errno;
  tcsetattr(STDIN_FILENO, TCSANOW, &modo_anterior);

  struct sigaction padrao {};
  struct sigaction nosso {};
  padrao.sa_handler = SIG_DFL;
  sigemptyset(&padrao.sa_mask);
  sigaction(SIGTSTP, &padrao, &nosso);
  sigset_t so_tstp;
  sigemptyset(&so_tstp);
  sigaddset(&so_tstp, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &so_tstp, nullptr);
  (void)raise(SIGTSTP);

  // Back after SIGCONT: the shell's job lines now stand under the
  // invitation, so it is written again, and the pause goes on waiting.
  sigaction(SIGTSTP, &nosso, nullptr);
  tcsetattr(STDIN_FILENO, TCSANOW, &modo_tecla);
  // Nothing to do if it cannot be written: the pause waits all the same.
  // The invitation after a line end, written whole.
  [[maybe_unused]] ssize_t escrito =
      write(STDOUT_FILENO, convite_na_linha, sizeof convite_na_linha - 1);
  errno = erro;
}

const int sinais[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};
constexpr int quantos_sinais = sizeof sinais / sizeof sinais[0];

// Our handlers hold only while the pause holds the terminal; a signal
// ignored when we started stays ignored.
void TrocarSinais(struct sigaction (&antes)[quantos_sinais],
                  bool (&trocado)[quantos_sinais]) {
  for (int i = 0; i < quantos_sinais; i++) {
    trocado[i] = false;
    if (sigaction(sinais[i], nullptr, &antes[i]) != 0) continue;
    if (antes[i].sa_handler == SIG_IGN) continue;
    struct sigaction nova {};
    // No handler may run in the middle of another: a suspend inside the
    // fatal handler would put the key mode back after it.
    sigfillset(&nova.sa_mask);
    if (sinais[i] == SIGTSTP) {
      nova.sa_handler = AoSuspender;
      nova.sa_flags = SA_RESTART;
    } else {
      nova.sa_handler = AoSinalFatal;
      nova.sa_flags = SA_RESETHAND | SA_NODEFER;
    }
    trocado[i] = sigaction(sinais[i], &nova, nullptr) == 0;
  }
}

void DevolverSinais(const struct sigaction (&antes)[quantos_sinais],
                    const bool (&trocado)[quantos_sinais]) {
  for (int i = 0; i < quantos_sinais; i++) {
    if (trocado[i]) sigaction(sinais[i], &antes[i], nullptr);
  }
}

// ------------------------------------------------- the pause: the key

// The bytes a key's length is told by.
enum ByteDeTecla : unsigned char {
  ESC = 0x1b,            // an escape sequence, or Alt with a key
  ABRE_CSI = '[',        // ESC [ is CSI: parameters up to a final byte (F5...)
  ABRE_SS3 = 'O',        // ESC O is SS3: one more byte (application arrows, F1)
  PARAMETRO_MIN = 0x20,  // a CSI's parameters and intermediates...
  PARAMETRO_MAX = 0x3f,  // ...lie in this range; its final byte does not
  UTF8_CONTINUACAO = 0x80,  // 10xxxxxx, under the mask below
  UTF8_MASCARA = 0xc0,
  UTF8_DE_2 = 0xc0,  // the first byte of a letter of 2, 3 or 4 bytes
  UTF8_DE_3 = 0xe0,
  UTF8_DE_4 = 0xf0,
};

// The key that ends the pause may be several bytes: an arrow or a function
// key sends an escape sequence (CSI or SS3), whose bytes may come a moment
// apart; Alt with a key sends Escape before it; a letter outside ASCII
// sends its UTF-8 bytes. The bytes it still lacks are read one at a time,
// so that nothing typed after it is taken here.
constexpr std::size_t maior_tecla = 256;  // bytes, far more than any key's
struct Tecla {
  unsigned char bytes[maior_tecla];
  std::size_t n;           // read so far
  std::size_t capacidade;  // at most this many may be read
};

// The byte at j, waiting up to 50 ms when it has not come yet; -1 if none.
int ByteDaTecla(Tecla& t, std::size_t j) {
  if (j < t.n) return t.bytes[j];
  if (j >= t.capacidade || EsperarPronto(STDIN_FILENO, false, 50) <= 0 ||
      read(STDIN_FILENO, t.bytes + j, 1) != 1)
    return -1;
  t.n = j + 1;
  return t.bytes[j];
}

// Where the letter at i ends: its UTF-8 continuation bytes come in the
// same read, so only those already here are looked at.
std::size_t FimDaLetra(const Tecla& t, std::size_t i) {
  int primeiro = t.bytes[i];
  std::size_t fim = i + 1;
  if (primeiro < UTF8_DE_2) return fim;
  std::size_t seguintes =
      primeiro >= UTF8_DE_4 ? 3 : (primeiro >= UTF8_DE_3 ? 2 : 1);
  while (fim < t.n && seguintes-- > 0 &&
         (t.bytes[fim] & UTF8_MASCARA) == UTF8_CONTINUACAO)
    fim++;
  return fim;
}

std::size_t TamanhoDaTecla(Tecla& t) {
  if (t.bytes[0] != ESC) return FimDaLetra(t, 0);
  int c = ByteDaTecla(t, 1);
  if (c < 0) return 1;
  if (c == ABRE_SS3) return ByteDaTecla(t, 2) < 0 ? 2 : 3;
  if (c != ABRE_CSI) return FimDaLetra(t, 1);
  // Parameters and intermediates, up to the final byte.
  std::size_t i = 1;
  do c = ByteDaTecla(t, ++i);
  while (c >= PARAMETRO_MIN && c <= PARAMETRO_MAX);
  return c < 0 ? i : i + 1;
}

// The handled signals, held back while the terminal and the handlers are
// put back: a suspend in between would set the key mode again after fg.
sigset_t SinaisDaPausa() {
  sigset_t conjunto;
  sigemptyset(&conjunto);
  for (int sinal : sinais) sigaddset(&conjunto, sinal);
  return conjunto;
}

// False with errno set when the key could not be read; the terminal's mode
// is put back in every case. What came after the key goes to resto.
bool EsperarTecla(char* resto, std::size_t cabe, std::size_t& guardados) {
  if (tcgetattr(STDIN_FILENO, &modo_anterior) != 0) return true;
  modo_tecla = modo_anterior;
  modo_tecla.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  modo_tecla.c_cc[VMIN] = 1;
  modo_tecla.c_cc[VTIME] = 0;

  struct sigaction antes[quantos_sinais];
  bool trocado[quantos_sinais];
  TrocarSinais(antes, trocado);

  bool lido = true;
  int erro = 0;
  // TCSAFLUSH drops keys typed before the invitation was on the screen.
  if (tcsetattr(STDIN_FILENO, TCSAFLUSH, &modo_tecla) == 0) {
    Tecla t{};
    // Never more than the key and what the caller has room for.
    t.capacidade = cabe < sizeof t.bytes ? cabe + 1 : sizeof t.bytes;
    long lidos = LerEsperando(STDIN_FILENO, t.bytes, t.capacidade);
    lido = lidos >= 0;
    erro = errno;
    if (lidos > 0) {
      t.n = static_cast<std::size_t>(lidos);
      std::size_t usado = TamanhoDaTecla(t);
      guardados = t.n - usado;
      std::memcpy(resto, t.bytes + usado, guardados);
    }
  }
  sigset_t da_pausa = SinaisDaPausa();
  sigset_t mascara;
  sigprocmask(SIG_BLOCK, &da_pausa, &mascara);
  tcsetattr(STDIN_FILENO, TCSANOW, &modo_anterior);
  DevolverSinais(antes, trocado);
  // A signal that came meanwhile now finds the terminal as it was and the
  // handlers the game started with.
  sigprocmask(SIG_SETMASK, &mascara, nullptr);
  errno = erro;
  return lido;
}

// ------------------------------------------------------ the letter table

// The letter in the locale's set; destino is left alone when it has none.
void Converter(iconv_t conversor, int codigo, char (&destino)[8]) {
  char origem[1] = {static_cast<char>(codigo)};
  char convertido[8];
  char* entrada = origem;
  std::size_t falta = 1;
  char* saida = convertido;
  std::size_t cabe = sizeof convertido - 1;
  iconv(conversor, nullptr, nullptr, nullptr, nullptr);
  std::size_t r = iconv(conversor, &entrada, &falta, &saida, &cabe);
  if (r == static_cast<std::size_t>(-1) || falta != 0 || saida == convertido)
    return;
  *saida = '\0';
  std::memcpy(destino, convertido, sizeof convertido);
}

}  // namespace

void MontarTabela(const char* nome_locale, const char* codeset,
                  TabelaLetras& letras) {
  for (auto& texto : letras.texto) texto[0] = '\0';
  // An ASCII-only C locale is almost never what the terminal really shows.
  bool c_ou_posix = nome_locale == nullptr ||
                    std::strcmp(nome_locale, "C") == 0 ||
                    std::strcmp(nome_locale, "POSIX") == 0;
  if (codeset == nullptr) codeset = "";
  if (!c_ou_posix &&
      (strcasecmp(codeset, "IBM850") == 0 || strcasecmp(codeset, "CP850") == 0))
    return;
  // UTF-8 also wherever the locale's own set has no such letter.
  LetrasEmUtf8(letras);
  bool utf8 = c_ou_posix || strcasecmp(codeset, "UTF-8") == 0 ||
              strcasecmp(codeset, "UTF8") == 0;
  if (utf8) return;
  iconv_t conversor = iconv_open(codeset, "IBM850");
  // iconv_open reports failure as (iconv_t)-1.
  if (reinterpret_cast<std::intptr_t>(conversor) == -1) return;
  for (const LetraUtf8& letra : letras_utf8) {
    Converter(conversor, letra.codigo, letras.texto[letra.codigo - 128]);
  }
  iconv_close(conversor);
}

void PlataformaIniciar(TabelaLetras& letras) {
  const char* nome = std::setlocale(LC_CTYPE, "");
  // strerror speaks the user's language in the one line an error gets.
  (void)std::setlocale(LC_MESSAGES, "");
  MontarTabela(nome, nl_langinfo(CODESET), letras);
}

long PlataformaLer(int fd, char* dados, std::size_t tamanho) {
  return LerEsperando(fd, dados, tamanho);
}

bool PlataformaEscrever(const char* dados, std::size_t tamanho) {
  while (tamanho > 0) {
    ssize_t n = write(STDOUT_FILENO, dados, tamanho);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && TentarDeNovo(errno)) {
      // Non-blocking output to a slow reader: wait for room, lose nothing.
      if (EsperarPronto(STDOUT_FILENO, true, -1) < 0) return false;
      continue;
    }
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

const char* PlataformaTextoLimpar() {
  // Home, erase the screen, erase the scrollback; a file, a pipe or a dumb
  // terminal (Emacs's shell, some IDE consoles) gets the form feed the
  // command interpreter itself writes there.
  const char* term = std::getenv("TERM");
  bool burro = term != nullptr && std::strcmp(term, "dumb") == 0;
  return isatty(STDOUT_FILENO) != 0 && !burro ? limpar_com_escapes : "\f";
}

// The screen is cleared by the text alone.
void PlataformaLimpar() {}

const char* PlataformaTextoConvite() { return convite_na_linha + 1; }

bool PlataformaPausar(char* resto, std::size_t cabe, std::size_t& guardados) {
  guardados = 0;
  if (isatty(STDIN_FILENO) == 0) return true;
  return EsperarTecla(resto, cabe, guardados);
}
