// The page's own terminal: a grid of cells, a cursor and the rows scrolled
// off the top. It obeys what the game and the line discipline write and
// swallows every other control whole. It owns a character's width and the
// tab stops, so that the discipline's erase matches what is drawn. Pure:
// text in, cells out (desenho.js draws).
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
export const criarTerminal = ({ colunas = 80, linhas = 25, historico = 1000 } = {}) => ({
  colunas,
  linhas,
  historico,
  grade: Array.from({ length: linhas }, () => linhaEmBranco(colunas)),
  descartadas: 0,
  x: 0, // the cursor; x === colunas is a pending wrap
  y: 0, // on the screen, 0 at its top row
  inverso: false,
  anterior: 0, // the width of the character just printed, that a mark joins
  resto: '', // a sequence cut short at the end of a write
  sujas: new Set(),
});

const indice = (t, y = t.y) => t.grade.length - t.linhas + y; // in the grade

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
}

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
  if (n === 0 && t.anterior > 0 && t.x > 0) {
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
  t.anterior = n;
}

// CSI H, CSI 2 J and 3 J (the cursor stays), SGR 7 and 0; no other form.
function sequencia(t, parametros, final) {
  if (/[^0-9;]/.test(parametros)) return;
  const numeros = parametros.split(';').map(Number);
  if (final === 'H') {
    const [linha = 1, coluna = 1] = numeros.map((n) => Math.max(n, 1));
    t.y = Math.min(linha, t.linhas) - 1;
    t.x = Math.min(coluna, t.colunas) - 1;
  } else if (final === 'J' && numeros[0] === 2) {
    for (let y = 0; y < t.linhas; y++) t.grade[indice(t, y)] = linhaEmBranco(t.colunas);
  } else if (final === 'J' && numeros[0] === 3) {
    t.descartadas += t.grade.length - t.linhas;
    t.grade.splice(0, t.grade.length - t.linhas);
  } else if (final === 'm') {
    for (const n of numeros) t.inverso = n === 7 || (n !== 0 && t.inverso);
  }
}

/* eslint-disable no-control-regex */
// A piece: a CSI sequence, the C1 CSI (never obeyed), a string (OSC, DCS,
// PM, APC) up to BEL or ST, another escape sequence, a control, or text.
const PEDACO =
  /\x1b\[([0-?]*)[ -/]*([@-~])|\x9b[0-?]*[ -/]*[@-~]|(?:\x1b[\]PX^_]|[\x90\x98\x9d-\x9f])[^]*?(?:\x07|\x1b\\|\x9c)|\x1b[ -/]*[0-~]|([\x00-\x1f\x7f-\x9f])|([^\x00-\x1f\x7f-\x9f]+)/y;
// The start of a sequence the next write may end.
const INACABADA =
  /^(?:\x1b(?:\[[0-?]*[ -/]*|[\]PX^_](?:[^\x07\x1b\x9c]|\x1b(?!\\))*|[ -/]*)?|\x9b[0-?]*[ -/]*|[\x90\x98\x9d-\x9f](?:[^\x07\x1b\x9c]|\x1b(?!\\))*)$/;
/* eslint-enable no-control-regex */

// What the game or the discipline wrote; every row it may have changed,
// from the screen's top down, is marked for the drawing.
export function escrever(t, novo) {
  const texto = t.resto + novo;
  const topo = t.descartadas + indice(t, 0);
  t.resto = '';
  PEDACO.lastIndex = 0;
  while (PEDACO.lastIndex < texto.length) {
    const inicio = PEDACO.lastIndex;
    const c = texto.charCodeAt(inicio);
    if ((c === 0x1b || (c >= 0x90 && c <= 0x9f)) && INACABADA.test(texto.slice(inicio))) {
      t.resto = texto.slice(inicio);
      break;
    }
    const [, parametros, final, controle, impresso] = PEDACO.exec(texto);
    if (impresso === undefined) t.anterior = 0;
    if (final !== undefined) sequencia(t, parametros, final);
    else if (controle !== undefined) CONTROLES[controle]?.(t);
    else if (impresso !== undefined) for (const c of impresso) imprimir(t, c);
  }
  const fim = t.descartadas + t.grade.length;
  for (let n = Math.max(topo, t.descartadas); n < fim; n++) t.sujas.add(n);
}

// The screen from its top row to the cursor's, as text.
export const linhasDaTela = (t) =>
  t.grade.slice(indice(t, 0), indice(t) + 1).map((linha) => linha.texto.join('').trimEnd());

// Where the cursor is drawn (a pending wrap on the last column): index, column, row.
export const cursor = (t) => ({ i: indice(t), x: Math.min(t.x, t.colunas - 1), y: t.y });
