// The line discipline a tty would give the game: echo and line editing
// until Enter hands over a line, Ctrl-D as the end of input, Ctrl-C as an
// interrupt, and the one-key pause without echo. Keys come in as the
// strings teclas.js makes of them, or as pasted text; what the game reads
// goes out as UTF-8 bytes. How many columns an echo took is the screen's
// to say (terminal.js), so that an erase matches what is drawn.

import * as TECLA from './teclas.js';
import { largura } from './terminal.js';

const LINHA_MAXIMA = 4095; // a tty's line holds no more either
const codificar = new TextEncoder();
// A word for Ctrl-W; accented letters are letters, as the kernel's own
// table has them.
const PALAVRA = /^[\p{L}\p{N}_]$/u;

// C1 controls: a terminal obeys them as it obeys escape sequences (U+009B
// is CSI), so a paste holding one must not reach the screen.
const C1 = /^[\x80-\x9f]/;

// The key at the start of `dados`: one character, or a whole escape
// sequence (arrows, function keys, Alt with a key), introduced by Escape
// or by its one-character C1 form.
function proximaTecla(dados) {
  let i = 1; // where the sequence's body starts
  if (dados[0] === TECLA.ESC && dados.length > 1) {
    i = 2;
    if (dados[1] !== '[' && dados[1] !== 'O') return dados.slice(0, 2);
  } else if (dados[0] !== TECLA.CSI_C1 && dados[0] !== TECLA.SS3_C1) {
    return String.fromCodePoint(dados.codePointAt(0));
  }
  // SS3 takes one more character; CSI parameters, then a final from @ to ~.
  if (dados[i - 1] === 'O' || dados[0] === TECLA.SS3_C1) return dados.slice(0, i + 1);
  while (i < dados.length && !(dados[i] >= '@' && dados[i] <= '~')) i++;
  return dados.slice(0, i + 1);
}

// Keys that neither edit nor reach the line: escape sequences (a
// character beyond U+FFFF is two code units, not a sequence), Escape
// itself, C1 controls, and Ctrl-Z, as there is no job control here.
const descartada = (t) =>
  (t.length > 1 && t.codePointAt(0) <= 0xffff) ||
  t === TECLA.ESC ||
  t === TECLA.CTRL_Z ||
  C1.test(t);

// Columns the echo of a character other than a tab takes: ^X for a
// control character.
const colunas = (caractere) => (caractere < ' ' ? 2 : largura(caractere));

function ecoDe(caractere) {
  if (caractere === TECLA.TAB || caractere >= ' ') return caractere;
  return '^' + String.fromCharCode(caractere.charCodeAt(0) + 64);
}

// The state of one game's input: what is being typed, what waits to be
// read, and who waits for it.
function novoEstado(eco, coluna) {
  return {
    eco,
    coluna,
    linha: [], // characters typed since the last line was handed over
    larguras: [], // the columns each one's echo took
    prontas: [], // lines handed over and not yet read; null is an end of input
    leitor: null, // a pending read: { maximo, resolver }
    pausa: null, // the pending pause's resolver
    interrompida: false,
  };
}

// Answers the pending read, if what it waits for is there: at most
// `maximo` bytes of the first line ready, the rest kept for the next.
function atender(e) {
  if (e.leitor === null) return;
  if (e.interrompida) {
    e.leitor.resolver(null);
  } else if (e.prontas.length > 0) {
    const primeira = e.prontas[0];
    if (primeira === null || primeira.length <= e.leitor.maximo) {
      e.prontas.shift();
      e.leitor.resolver(primeira === null ? new Uint8Array(0) : primeira);
    } else {
      e.prontas[0] = primeira.subarray(e.leitor.maximo);
      e.leitor.resolver(primeira.subarray(0, e.leitor.maximo));
    }
  } else {
    return;
  }
  e.leitor = null;
}

// The line (null: the end of input) goes to the reads; a new one begins.
function entregar(e, texto) {
  e.prontas.push(texto === null ? null : codificar.encode(texto));
  e.linha = [];
  e.larguras = [];
  atender(e);
}

function apagarUm(e) {
  if (e.linha.length === 0) return;
  const ultimo = e.linha.pop();
  const n = e.larguras.pop();
  // A tab is only a cursor move: going back over it is enough.
  e.eco(ultimo === TECLA.TAB ? '\b'.repeat(n) : '\b \b'.repeat(n));
}

// Backspace (and Ctrl-H, which some keyboards send for it: a tty would
// pass it on), Ctrl-U and Ctrl-W; false for any other key.
function editar(e, t) {
  if (t === TECLA.DEL || t === TECLA.CTRL_H) {
    apagarUm(e);
  } else if (t === TECLA.CTRL_U) {
    while (e.linha.length > 0) apagarUm(e);
  } else if (t === TECLA.CTRL_W) {
    // As Linux erases: whatever is not a word character before the
    // cursor, then a run of letters, digits and _ ("1,3" leaves "1,").
    while (e.linha.length > 0 && !PALAVRA.test(e.linha.at(-1))) apagarUm(e);
    while (e.linha.length > 0 && PALAVRA.test(e.linha.at(-1))) apagarUm(e);
  } else {
    return false;
  }
  return true;
}

// Ctrl-C or Ctrl-\: echoed, and every read and pause from now on ends.
function interromper(e, t) {
  e.eco(ecoDe(t) + '\r\n');
  e.interrompida = true;
  e.linha = [];
  e.larguras = [];
  e.prontas = [];
  if (e.pausa !== null) e.pausa(false);
  e.pausa = null;
  atender(e);
}

function tratarTecla(e, t) {
  if (t === TECLA.CTRL_C || t === TECLA.CTRL_BARRA) return interromper(e, t);
  if (e.pausa !== null) {
    const fim = e.pausa;
    e.pausa = null;
    return fim(true);
  }
  if (descartada(t) || editar(e, t)) return;
  // CR is a line end as NL is (ICRNL): CR LF pasted is two of them.
  if (t === TECLA.CR || t === TECLA.LF) {
    e.eco('\r\n');
    return entregar(e, e.linha.join('') + '\n');
  }
  // At the start of a line the end of input; otherwise the line as it is.
  if (t === TECLA.CTRL_D) return entregar(e, e.linha.length === 0 ? null : e.linha.join(''));
  if (e.linha.length >= LINHA_MAXIMA) return;
  // A tab takes the columns up to the next stop, as far as the screen
  // moved the cursor for it.
  const antes = e.coluna();
  e.linha.push(t);
  e.eco(ecoDe(t));
  e.larguras.push(t === TECLA.TAB ? Math.max(e.coluna() - antes, 0) : colunas(t));
}

// eco(texto) writes to the screen at once; coluna() tells where the
// cursor stands there, so that erasing a tab goes back to where it began.
export function criarDisciplina({ eco, coluna = () => 0 }) {
  const e = novoEstado(eco, coluna);
  return {
    // What the user typed: a key, several, or a pasted text.
    teclas(dados) {
      while (dados.length > 0 && !e.interrompida) {
        const t = proximaTecla(dados);
        dados = dados.slice(t.length);
        tratarTecla(e, t);
      }
    },

    // Up to `maximo` bytes of the next line; an empty array at the end of
    // input, null once interrupted.
    ler(maximo) {
      return new Promise((resolver) => {
        e.leitor = { maximo, resolver };
        atender(e);
      });
    },

    // One key, without echo; true once it came, false when interrupted.
    // Whatever was typed before is dropped, as TCSAFLUSH drops it.
    pausar() {
      e.linha = [];
      e.larguras = [];
      e.prontas = [];
      return new Promise((resolver) => {
        if (e.interrompida) return resolver(false);
        e.pausa = resolver;
      });
    },
  };
}
