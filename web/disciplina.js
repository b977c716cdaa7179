// The line discipline a tty would give the game: echo and editing until
// Enter hands over a line, Ctrl-D, Ctrl-C, the one-key pause without echo.
// Keys come as teclas.js makes them, or pasted; the game reads UTF-8.
import * as TECLA from './teclas.js';

const LINHA_MAXIMA = 4095; // a tty's line holds no more either
const codificar = new TextEncoder();
// A word for Ctrl-W; accented letters are letters, as in the kernel's.
const PALAVRA = /^[\p{L}\p{N}_]$/u;

// The key at the start of `dados`: one character, or a whole escape
// sequence (arrows, function keys, Alt with a key), C1 forms included.
// This is a grammar of keys, not of a screen: a key comes whole in one
// event or paste, and is taken or dropped whole, where the screen model
// (modelo.js) reads what is written one character at a time.
// eslint-disable-next-line no-control-regex
const TECLA_INTEIRA = /^(?:\x1b\[|\x9b)[^@-~]*[@-~]?|^(?:\x1bO|\x8f)[^]?|^\x1b?[^]/u;

// Keys that neither edit nor reach the line: escape sequences (not a
// character beyond U+FFFF), Escape, C1 controls (U+009B is CSI: a paste
// holding one must not reach a screen), and Ctrl-Z: no job control here.
const descartada = (t) =>
  (t.length > 1 && t.codePointAt(0) <= 0xffff) ||
  t === TECLA.ESC ||
  t === TECLA.CTRL_Z ||
  /^[\x80-\x9f]/.test(t);

const ecoDe = (c) =>
  c === TECLA.TAB || c >= ' ' ? c : '^' + String.fromCharCode(c.charCodeAt(0) + 64);

// Answers the pending read, if its line is there: at most `maximo`
// bytes, the rest kept for the next.
function atender(e) {
  if (e.leitor === null || (!e.interrompida && e.prontas.length === 0)) return;
  const { maximo, resolver } = e.leitor;
  e.leitor = null;
  const primeira = e.prontas[0];
  if (e.interrompida) resolver(null);
  else if (primeira !== null && primeira.length > maximo) {
    e.prontas[0] = primeira.subarray(maximo);
    resolver(primeira.subarray(0, maximo));
  } else resolver(e.prontas.shift() ?? new Uint8Array(0));
}

const texto = (e) => e.linha.map(({ c }) => c).join('');

// The line (null: the end of input) goes to the reads; a new one begins.
function entregar(e, linha) {
  e.prontas.push(linha === null ? null : codificar.encode(linha));
  e.linha = [];
  atender(e);
}

// The last character typed, erased over its echo's columns; a tab is only gone back over.
function apagarUm(e) {
  const { c, n } = e.linha.pop();
  e.eco(c === TECLA.TAB ? '\b'.repeat(n) : '\b \b'.repeat(n));
}

const ultimaEPalavra = (e) => PALAVRA.test(e.linha[e.linha.length - 1].c);

// Backspace (or Ctrl-H), Ctrl-U and Ctrl-W, which erases as Linux does:
// the non-word characters, then a word ("1,3" leaves "1,"). False for any
// other key.
function editar(e, t) {
  const vezes = { [TECLA.DEL]: 1, [TECLA.CTRL_H]: 1, [TECLA.CTRL_U]: Infinity }[t];
  if (vezes) for (let i = 0; i < vezes && e.linha.length > 0; i++) apagarUm(e);
  else if (t !== TECLA.CTRL_W) return false;
  while (t === TECLA.CTRL_W && e.linha.length > 0 && !ultimaEPalavra(e)) apagarUm(e);
  while (t === TECLA.CTRL_W && e.linha.length > 0 && ultimaEPalavra(e)) apagarUm(e);
  return true;
}

function tratarTecla(e, t) {
  const pausa = e.pausa; // any key ends it
  e.pausa = null;
  // Ctrl-C or Ctrl-\: echoed, and every read and pause from now on ends.
  if (t === TECLA.CTRL_C || t === TECLA.CTRL_BARRA) {
    e.eco(ecoDe(t) + '\r\n');
    [e.interrompida, e.linha, e.prontas] = [true, [], []];
    pausa?.(false);
    return atender(e);
  }
  if (pausa !== null) return pausa(true);
  if (descartada(t) || editar(e, t)) return;
  // CR is a line end as NL is (ICRNL): CR LF pasted is two of them.
  if (t === TECLA.CR || t === TECLA.LF) {
    e.eco('\r\n');
    return entregar(e, texto(e) + '\n');
  }
  // At the start of a line the end of input; otherwise the line as it is.
  if (t === TECLA.CTRL_D) return entregar(e, e.linha.length === 0 ? null : texto(e));
  if (e.linha.length >= LINHA_MAXIMA) return;
  // An echo takes the columns the screen moved the cursor for it (a mark
  // joined to the letter before none, a wide letter two); one that wrapped
  // takes those of the row it went on.
  const antes = e.coluna();
  e.eco(ecoDe(t));
  const depois = e.coluna();
  e.linha.push({ c: t, n: depois >= antes ? depois - antes : depois });
}

// eco(texto) writes to the screen at once; coluna() is its cursor's.
export function criarDisciplina({ eco, coluna }) {
  const e = {
    eco,
    coluna,
    linha: [], // what was typed since the last line went, and its echo's width
    prontas: [], // lines handed over and not yet read; null is an end of input
    leitor: null, // a pending read: { maximo, resolver }
    pausa: null, // the pending pause's resolver
    interrompida: false,
  };
  return {
    // What the user typed: a key, several, or a pasted text.
    receber(dados) {
      while (dados.length > 0 && !e.interrompida) {
        const t = TECLA_INTEIRA.exec(dados)[0];
        dados = dados.slice(t.length);
        tratarTecla(e, t);
      }
    },

    // Up to `maximo` bytes of the next line; an empty array at the end of
    // input, null once interrupted.
    ler: (maximo) =>
      new Promise((resolver) => {
        e.leitor = { maximo, resolver };
        atender(e);
      }),

    interrompida: () => e.interrompida,

    // One key, without echo; true once it came, false when interrupted.
    // Whatever was typed before is dropped, as TCSAFLUSH drops it.
    pausar() {
      [e.linha, e.prontas] = [[], []];
      return new Promise((resolver) => {
        if (e.interrompida) return resolver(false);
        e.pausa = resolver;
      });
    },
  };
}
