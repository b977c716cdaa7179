// The page's own terminal: the screen the game draws on, as a grid of
// cells with a cursor and the rows scrolled off the top. It takes what the
// game and the line discipline write (text, CR, LF, BS, HT, the cursor
// home, erasing the screen and the rows above it, inverse video) and
// swallows every other control and escape sequence whole, so that nothing
// else reaches the screen. It owns a character's width and the tab stops:
// the discipline asks it, and an erase matches what is drawn. Pure: text
// in, cells out; desenho.js puts them on the page.
import { LARGOS, SEM_LARGURA } from './larguras.js';

const ESC = '\x1b';

// The ranges of a table of larguras.js, as [first, last] code points.
function faixas(tabela) {
  let fim = 0;
  return tabela
    .trim()
    .split(' ')
    .map((par) => {
      const [distancia, comprimento] = par.split(',').map((n) => parseInt(n, 36));
      const inicio = fim + distancia;
      fim = inicio + comprimento;
      return [inicio, fim];
    });
}
const ZERO = faixas(SEM_LARGURA);
const DOIS = faixas(LARGOS);

function dentro(codigo, tabela) {
  let [baixo, alto] = [0, tabela.length - 1];
  while (baixo <= alto) {
    const meio = (baixo + alto) >> 1;
    if (codigo > tabela[meio][1]) baixo = meio + 1;
    else if (codigo < tabela[meio][0]) alto = meio - 1;
    else return true;
  }
  return false;
}

// Columns a printable character takes: 0 (a mark joined to the one
// before), 1 or 2.
export function largura(caractere) {
  const codigo = caractere.codePointAt(0);
  if (codigo < 0xa0) return 1;
  if (dentro(codigo, ZERO)) return 0;
  return dentro(codigo, DOIS) ? 2 : 1;
}

// The column a tab at `coluna` moves to: stops every 8, the last column
// at most.
export const proximaParada = (coluna, colunas) => Math.min((coluna & ~7) + 8, colunas - 1);

const linhaEmBranco = (colunas) => ({
  texto: Array(colunas).fill(' '), // '' in the second cell of a wide character
  larguras: new Uint8Array(colunas).fill(1),
  inverso: new Uint8Array(colunas),
  quebrada: false, // continues the row above it (an automatic wrap)
});

// A terminal of `colunas` x `linhas` keeping `historico` rows above them.
// Rows are numbered from the first ever written: `descartadas` have gone
// off the top; `sujas` holds the numbers of those changed since the last
// drawing (desenho.js empties it).
export function criarTerminal({ colunas = 80, linhas = 25, historico = 1000 } = {}) {
  return {
    colunas,
    linhas,
    historico,
    grade: Array.from({ length: linhas }, () => linhaEmBranco(colunas)),
    descartadas: 0,
    x: 0, // the cursor; x === colunas is a pending wrap
    y: 0, // on the screen, 0 at its top row
    inverso: false,
    estado: 'texto', // the escape sequence parser's
    parametros: '',
    anterior: 0, // the width of the character just printed, that a mark joins
    sujas: new Set(),
  };
}

// The grade's index of the screen's row `y`.
const indice = (t, y = t.y) => t.grade.length - t.linhas + y;
const sujar = (t, i = indice(t)) => t.sujas.add(t.descartadas + i);

// A cell back to blank, with the current inverse video or not.
function limpar(linha, x, inverso) {
  linha.texto[x] = ' ';
  linha.larguras[x] = 1;
  linha.inverso[x] = inverso ? 1 : 0;
}

// One more row at the bottom, the top one scrolled into the history,
// which loses its oldest row when full.
function rolar(t, quebrada) {
  const nova = linhaEmBranco(t.colunas);
  nova.quebrada = quebrada;
  t.grade.push(nova);
  if (t.grade.length > t.linhas + t.historico) {
    t.grade.shift();
    t.descartadas++;
  }
  sujar(t);
}

// LF moves down, scrolling at the bottom; as a tty's ONLCR gives it, it
// returns to the first column too.
function avanco(t, quebrada = false) {
  sujar(t);
  t.x = 0;
  if (t.y === t.linhas - 1) {
    rolar(t, quebrada);
  } else {
    t.y++;
    t.grade[indice(t)].quebrada = quebrada;
    sujar(t);
  }
}

function retorno(t) {
  t.x = 0;
  sujar(t);
}

// BS leaves a pending wrap for the last column, then steps back, never
// onto the row above.
function recuo(t) {
  t.x = Math.min(t.x, t.colunas - 1);
  if (t.x > 0) t.x--;
  sujar(t);
}

function tabulacao(t) {
  if (t.x >= t.colunas) return;
  t.x = proximaParada(t.x, t.colunas);
  sujar(t);
}

function imprimir(t, caractere) {
  let linha = t.grade[indice(t)];
  const n = largura(caractere);
  // A mark joins the character before it, where there is one.
  if (n === 0 && t.anterior > 0 && t.x > 0) {
    const celula = t.x - (linha.larguras[t.x - 1] ? 1 : 2);
    linha.texto[celula] += caractere;
    sujar(t);
    return;
  }
  // Writing over the second half of a wide character blanks its first.
  if (t.x > 0 && t.x < t.colunas && linha.larguras[t.x - 1] === 2) {
    limpar(linha, t.x - 1, t.inverso);
  }
  if (t.x + n > t.colunas) {
    // Automatic wrap: what is left of the row is blanked.
    for (let x = t.x; x < t.colunas; x++) limpar(linha, x, t.inverso);
    avanco(t, true);
    linha = t.grade[indice(t)];
  }
  linha.texto[t.x] = caractere;
  linha.larguras[t.x] = n;
  linha.inverso[t.x] = t.inverso ? 1 : 0;
  t.x++;
  if (n === 2) {
    linha.texto[t.x] = '';
    linha.larguras[t.x] = 0;
    linha.inverso[t.x] = t.inverso ? 1 : 0;
    t.x++;
  }
  // Writing over the first half of a wide character blanks its second.
  if (t.x < t.colunas && linha.larguras[t.x] === 0 && linha.texto[t.x] === '') {
    limpar(linha, t.x, t.inverso);
  }
  t.anterior = n;
  sujar(t);
}

// ESC [ 2 J blanks the screen, ESC [ 3 J drops the rows above it; neither
// moves the cursor.
function apagar(t, parametro) {
  if (parametro === 2) {
    for (let y = 0; y < t.linhas; y++) {
      t.grade[indice(t, y)] = linhaEmBranco(t.colunas);
      sujar(t, indice(t, y));
    }
  } else if (parametro === 3) {
    const acima = t.grade.length - t.linhas;
    t.grade.splice(0, acima);
    t.descartadas += acima;
  }
}

// The sequences the game and the page send: the cursor to a row and
// column (ESC [ H, its home), erasing, inverse video on (7) and off (0).
function sequencia(t, parametros, final) {
  const numeros = parametros.split(';').map((p) => (p === '' ? 0 : Number(p)));
  if (/[^0-9;]/.test(parametros)) return; // a private or unknown form
  if (final === 'H') {
    const [linha = 1, coluna = 1] = numeros.map((n) => Math.max(n, 1));
    t.y = Math.min(linha, t.linhas) - 1;
    t.x = Math.min(coluna, t.colunas) - 1;
  } else if (final === 'J') {
    apagar(t, numeros[0]);
  } else if (final === 'm') {
    for (const n of numeros) {
      if (n === 0) t.inverso = false;
      else if (n === 7) t.inverso = true;
    }
  }
}

const CONTROLES = { '\r': retorno, '\n': avanco, '\b': recuo, '\t': tabulacao };

// What the game or the discipline wrote, as text; a sequence cut between
// two writes goes on in the next.
export function escrever(t, texto) {
  sujar(t); // the cursor's row, where it was
  for (const c of texto) {
    const codigo = c.codePointAt(0);
    if (t.estado === 'texto') {
      if (codigo >= 0x20 && codigo !== 0x7f && (codigo < 0x80 || codigo >= 0xa0)) {
        imprimir(t, c);
        continue;
      }
      t.anterior = 0;
      if (c === ESC) t.estado = 'esc';
      // A C1 CSI's sequence is swallowed, not obeyed: its parameters are
      // marked so that none matches.
      else if (codigo === 0x9b) [t.estado, t.parametros] = ['csi', 'C1'];
      else if ([0x90, 0x98, 0x9d, 0x9e, 0x9f].includes(codigo)) t.estado = 'cadeia';
      else CONTROLES[c]?.(t);
    } else {
      continuar(t, c, codigo);
    }
  }
}

// A character inside an escape sequence. CSI collects its parameters up
// to a final from @ to ~; OSC, DCS, PM and APC are strings that end with
// ST (ESC \ or U+009C), or BEL; any other ESC takes intermediates, then a
// final. A control in the middle acts as it would outside.
function continuar(t, c, codigo) {
  const estado = t.estado;
  if (estado === 'cadeia' || estado === 'cadeia-esc') {
    if (c === '\x07' || codigo === 0x9c || (estado === 'cadeia-esc' && c === '\\')) {
      t.estado = 'texto';
    } else {
      t.estado = c === ESC ? 'cadeia-esc' : 'cadeia';
    }
    return;
  }
  if (c === ESC) {
    t.estado = 'esc';
    return;
  }
  if (codigo < 0x20) {
    if (c === '\x18' || c === '\x1a')
      t.estado = 'texto'; // CAN and SUB cancel it
    else CONTROLES[c]?.(t);
    return;
  }
  if (estado === 'esc') {
    if (c === '[') [t.estado, t.parametros] = ['csi', ''];
    else if (']PX^_'.includes(c)) t.estado = 'cadeia';
    else if (codigo < 0x30) t.estado = 'esc-intermedio';
    else t.estado = 'texto';
  } else if (estado === 'esc-intermedio') {
    if (codigo >= 0x30) t.estado = 'texto';
  } else if (codigo >= 0x40 && codigo <= 0x7e) {
    t.estado = 'texto';
    sequencia(t, t.parametros, c);
  } else {
    t.parametros += c;
  }
}

// The cursor's column: the discipline echoes from there.
export const coluna = (t) => t.x;

// The row `i` of the grade as text, its trailing blanks dropped.
export const textoDaLinha = (t, i) => t.grade[i].texto.join('').trimEnd();

// The screen from its top row to the cursor's, as text.
export function linhasDaTela(t) {
  const linhas = [];
  for (let y = 0; y <= t.y; y++) linhas.push(textoDaLinha(t, indice(t, y)));
  return linhas;
}

// Where the cursor is drawn: its grade index and column (a pending wrap
// shows on the last column).
export const cursor = (t) => ({ i: indice(t), x: Math.min(t.x, t.colunas - 1), y: t.y });
