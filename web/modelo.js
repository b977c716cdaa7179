// The page's screen model: a grid of cells, a cursor and the rows scrolled
// off the top. It obeys what the game and the line discipline write and
// swallows every other control whole. It owns a character's width and the
// tab stops, so that the discipline's erase matches what is drawn. Pure:
// text in, cells out (desenho.js draws).
import { COLUNAS, HISTORICO, LINHAS } from './dimensoes.js';
import { LARGOS, SEM_LARGURA } from './larguras.js';

// A table of larguras.js as a test of a code point, searched by halves.
function tabela(texto) {
  let fim = 0;
  const faixas = texto.split(' ').map((par) => {
    const [distancia, comprimento] = par.split(',').map((n) => parseInt(n, 36));
    fim += distancia + comprimento;
    return [fim - comprimento, fim];
  });
  return (codigo) => {
    let [baixo, alto] = [0, faixas.length - 1];
    while (baixo <= alto) {
      const meio = (baixo + alto) >> 1;
      if (codigo > faixas[meio][1]) baixo = meio + 1;
      else if (codigo < faixas[meio][0]) alto = meio - 1;
      else return true;
    }
    return false;
  };
}
const semLargura = tabela(SEM_LARGURA);
const largo = tabela(LARGOS);

// Columns a printable character takes: 0 (a mark, joined to the one before), 1 or 2.
export function largura(caractere) {
  const codigo = caractere.codePointAt(0);
  return codigo < 0xa0 ? 1 : semLargura(codigo) ? 0 : largo(codigo) ? 2 : 1;
}

// A row: each cell's text ('' in the second cell of a wide character) and
// inverse video; `quebrada` when it continues the row above (a wrap).
const linhaEmBranco = (colunas) => ({
  texto: Array(colunas).fill(' '),
  inverso: new Uint8Array(colunas),
  quebrada: false,
});

// Rows are numbered from the first ever made (`descartadas` have gone off
// the top); `sujas` holds those changed since desenho.js last drew.
export const criarModelo = ({
  colunas = COLUNAS,
  linhas = LINHAS,
  historico = HISTORICO,
} = {}) => ({
  colunas,
  linhas,
  historico,
  grade: Array.from({ length: linhas }, () => linhaEmBranco(colunas)),
  descartadas: 0,
  x: 0, // the cursor; x === colunas is a pending wrap
  y: 0, // on the screen, 0 at its top row
  inverso: false,
  larguraAnterior: 0, // the width of the character just printed, that a mark joins
  estado: emTexto, // what the next character means (below)
  sequencia: '', // a CSI's parameters and intermediates so far
  csiObedecida: false, // a CSI from ESC [ (the C1 CSI is never obeyed)
  sujas: new Set(),
});

const indice = (t, y = t.y) => t.grade.length - t.linhas + y; // in the grade
const sujar = (t, y = t.y) => t.sujas.add(t.descartadas + indice(t, y));

function pintar(linha, x, texto, inverso) {
  linha.texto[x] = texto;
  linha.inverso[x] = inverso ? 1 : 0;
}

// LF (as a tty's ONLCR gives it, back to the first column too), scrolling
// at the bottom, where the history loses its oldest row when full.
function avanco(t, quebrada = false) {
  t.x = 0;
  if (t.y < t.linhas - 1) {
    t.y++;
  } else {
    t.grade.push(linhaEmBranco(t.colunas));
    if (t.grade.length > t.linhas + t.historico) {
      t.grade.shift();
      t.descartadas++;
    }
  }
  t.grade[indice(t)].quebrada = quebrada;
  sujar(t);
}

// The C0 controls obeyed, in any state; every other is swallowed.
const CONTROLES = {
  '\r': (t) => (t.x = 0),
  '\n': avanco,
  // BS steps back from a pending wrap as from the last column, never onto
  // the row above; tab stops are every 8 columns, the last one at most.
  '\b': (t) => (t.x = Math.max(Math.min(t.x, t.colunas - 1) - 1, 0)),
  '\t': (t) => t.x < t.colunas && (t.x = Math.min((t.x & ~7) + 8, t.colunas - 1)),
};

function imprimir(t, caractere) {
  let linha = t.grade[indice(t)];
  const n = largura(caractere);
  sujar(t);
  if (n === 0 && t.larguraAnterior > 0 && t.x > 0) {
    linha.texto[t.x - (linha.texto[t.x - 1] === '' ? 2 : 1)] += caractere;
    return;
  }
  // Over the second half of a wide character: its first is blanked.
  if (linha.texto[t.x] === '') pintar(linha, t.x - 1, ' ', t.inverso);
  if (t.x + n > t.colunas) {
    for (let x = t.x; x < t.colunas; x++) pintar(linha, x, ' ', t.inverso);
    avanco(t, true);
    linha = t.grade[indice(t)];
  }
  pintar(linha, t.x++, caractere, t.inverso);
  if (n === 2) pintar(linha, t.x++, '', t.inverso);
  // Over the first half of a wide character: its second is blanked.
  if (linha.texto[t.x] === '') pintar(linha, t.x, ' ', t.inverso);
  t.larguraAnterior = n;
}

// CSI H, CSI 2 J and 3 J (the cursor stays), SGR 7 and 0; no other form.
function obedecer(t, sequencia, final) {
  if (/[^0-9;]/.test(sequencia)) return;
  const numeros = sequencia.split(';').map(Number);
  if (final === 'H') {
    const [linha = 1, coluna = 1] = numeros.map((n) => Math.max(n, 1));
    t.y = Math.min(linha, t.linhas) - 1;
    t.x = Math.min(coluna, t.colunas) - 1;
  } else if (final === 'J' && numeros[0] === 2) {
    for (let y = 0; y < t.linhas; y++) {
      t.grade[indice(t, y)] = linhaEmBranco(t.colunas);
      sujar(t, y);
    }
  } else if (final === 'J' && numeros[0] === 3) {
    t.descartadas += t.grade.length - t.linhas;
    t.grade.splice(0, t.grade.length - t.linhas);
  } else if (final === 'm') {
    for (const n of numeros) t.inverso = n === 7 || (n !== 0 && t.inverso);
  }
}

// The states a character is read in, as a terminal's parser has them:
// each takes the character and the code point and returns the next state.
// A C0 control is obeyed in any of them but a string's; ESC starts a
// sequence anew; a character no state expects ends the sequence and is
// read again as text.
const entre = (c, de, ate) => c >= de && c <= ate;
const controle = (t, caractere) => CONTROLES[caractere]?.(t);
const CADEIAS = new Set([0x90, 0x98, 0x9d, 0x9e, 0x9f]); // DCS, SOS, OSC, PM, APC

function emTexto(t, caractere, c) {
  if (c === 0x1b) return emEscape;
  if (c === 0x9b) return inicioDeCsi(t, false);
  if (CADEIAS.has(c)) return emCadeia;
  if (c < 0x20 || entre(c, 0x7f, 0x9f)) controle(t, caractere);
  else imprimir(t, caractere);
  return emTexto;
}

function inicioDeCsi(t, obedecida) {
  [t.sequencia, t.csiObedecida] = ['', obedecida];
  return emCsi;
}

// After ESC: CSI, a string (OSC, DCS, SOS, PM, APC), or a sequence of
// intermediates and a final, none of which is obeyed.
function emEscape(t, caractere, c) {
  if (caractere === '[') return inicioDeCsi(t, true);
  if (']PX^_'.includes(caractere)) return emCadeia;
  if (entre(c, 0x20, 0x2f)) return emIntermedio;
  return depoisDeEscape(t, caractere, c) ?? emEscape;
}

function emIntermedio(t, caractere, c) {
  if (entre(c, 0x20, 0x2f)) return emIntermedio;
  return depoisDeEscape(t, caractere, c) ?? emIntermedio;
}

// What ends an escape sequence (a final, swallowed) or stays in it (a
// control, obeyed); undefined to stay.
function depoisDeEscape(t, caractere, c) {
  if (entre(c, 0x30, 0x7e)) return emTexto;
  if (c === 0x1b) return emEscape;
  if (c < 0x20) return void controle(t, caractere);
  if (c === 0x7f) return undefined;
  return emTexto(t, caractere, c);
}

function emCsi(t, caractere, c) {
  if (entre(c, 0x20, 0x3f)) {
    t.sequencia += caractere; // parameters, then intermediates (never obeyed)
    return emCsi;
  }
  if (entre(c, 0x40, 0x7e)) {
    if (t.csiObedecida) obedecer(t, t.sequencia, caractere);
    return emTexto;
  }
  return depoisDeEscape(t, caractere, c) ?? emCsi;
}

// A string, swallowed up to BEL or ST (ESC \ or U+009C).
function emCadeia(t, caractere, c) {
  if (c === 0x07 || c === 0x9c) return emTexto;
  return c === 0x1b ? emEscapeNaCadeia : emCadeia;
}

function emEscapeNaCadeia(t, caractere, c) {
  if (caractere === '\\') return emTexto;
  return c === 0x1b ? emEscapeNaCadeia : emCadeia;
}

// What the game or the discipline wrote, one character at a time: a
// sequence cut between two writes goes on in the next. The rows drawn on,
// and the cursor's before and after, are marked for the drawing.
export function escrever(t, novo) {
  sujar(t);
  for (const caractere of novo) {
    const c = caractere.codePointAt(0);
    if (t.estado !== emTexto || c < 0x20 || entre(c, 0x7f, 0x9f)) t.larguraAnterior = 0;
    t.estado = t.estado(t, caractere, c);
  }
  sujar(t);
}

// The screen as a new terminal's: blank, no rows above it, the cursor at
// home, no inverse video, no sequence begun.
export function limpar(t) {
  t.descartadas += t.grade.length - t.linhas;
  t.grade = Array.from({ length: t.linhas }, () => linhaEmBranco(t.colunas));
  [t.x, t.y, t.inverso, t.estado] = [0, 0, false, emTexto];
  for (let y = 0; y < t.linhas; y++) sujar(t, y);
}

// Every row `texto` makes on a screen of its own, those scrolled off
// included, as text: what the game wrote, as it is to be read.
export function linhasDoTexto(texto) {
  const t = criarModelo({ linhas: 1, historico: Infinity });
  escrever(t, texto);
  return t.grade.map((linha) => linha.texto.join('').trimEnd());
}

// The screen from its top row to the cursor's, as text.
export const linhasDaTela = (t) =>
  t.grade.slice(indice(t, 0), indice(t) + 1).map((linha) => linha.texto.join('').trimEnd());

// Where the cursor is drawn (a pending wrap on the last column): index, column, row.
export const cursor = (t) => ({ i: indice(t), x: Math.min(t.x, t.colunas - 1), y: t.y });
