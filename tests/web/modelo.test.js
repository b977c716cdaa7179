// The page's screen model against a real terminal: random streams of what the game,
// the page and the line discipline write, and the game's recorded
// sessions, fed to the model and to
// @xterm/headless (Unicode 11 widths), every cell, the cursor and the rows
// above the screen compared. Held to it as disciplina.js is held to the
// kernel's tty.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, readdirSync } from 'node:fs';
import { COLUNAS, HISTORICO, LINHAS } from '../../web/dimensoes.js';
import { criarDisciplina } from '../../web/disciplina.js';
import { criarModelo, escrever, largura, linhasDaTela } from '../../web/modelo.js';
import { sorteador } from './sorteador.js';

const referencia = await Promise.all([
  import('@xterm/headless'),
  import('@xterm/addon-unicode11'),
]).catch(() => null);
const semReferencia =
  referencia === null && !process.env.CI && '@xterm/headless is not installed: bash .ci/modulos';

function terminalDeReferencia({ colunas, linhas, historico }) {
  const [{ default: xterm }, { default: unicode }] = referencia;
  const t = new xterm.Terminal({
    cols: colunas,
    rows: linhas,
    scrollback: historico,
    convertEol: true,
    allowProposedApi: true,
  });
  t.loadAddon(new unicode.Unicode11Addon());
  t.unicode.activeVersion = '11';
  return t;
}

const LETRAS = [
  'a',
  'Z',
  '7',
  ' ',
  '=',
  '<',
  '>',
  '&',
  'é',
  'ç',
  'ã',
  'õ',
  'Ó',
  'ú',
  'â',
  'ê',
  'í',
];
const LARGAS = ['漢', '字', '한', '😀', '🎉', '𠀀', 'Ａ'];
const MARCADAS = ['e\u0301', 'a\u0303', '漢\u0301', 'n\u0303\u0301'];
const ESC = '\x1b';

// One piece of what the game and the page write.
function pedaco({ ate, um }) {
  switch (ate(16)) {
    case 0:
      return um(LARGAS);
    case 1:
      return um(MARCADAS);
    case 2:
      return um(LETRAS).repeat(1 + ate(90)); // wraps
    case 3:
      return '\n'.repeat(1 + ate(40)); // scrolls
    case 4:
      return um(['\r', '\b', '\t', '\r\n', '\b \b']);
    case 5:
      return um([`${ESC}[H`, `${ESC}[2J`, `${ESC}[3J`, `${ESC}[H${ESC}[2J${ESC}[3J`]);
    case 6:
      return `${ESC}[${1 + ate(30)};${1 + ate(90)}H`;
    case 7:
      return um([`${ESC}[7m`, `${ESC}[0m`, `${ESC}[m`]);
    default:
      return um(LETRAS);
  }
}

// The stream cut into writes at random code points, as the page's writes
// come (a sequence may be cut between two).
function emEscritas(texto, { ate }) {
  const pontos = [...texto];
  const escritas = [];
  while (pontos.length > 0) escritas.push(pontos.splice(0, 1 + ate(40)).join(''));
  return escritas;
}

// Every row, the cursor and how far the screen has scrolled, as both
// show them: a blank cell is ' ', the second of a wide one ''.
function estadoDoModelo(t) {
  return {
    linhas: t.grade.map((l) => ({
      celulas: l.texto.map((c, x) => [
        c,
        c === '' ? 0 : l.texto[x + 1] === '' ? 2 : 1,
        l.inverso[x] === 1,
      ]),
      quebrada: l.quebrada,
    })),
    cursor: [t.x, t.y],
  };
}

function estadoDaReferencia(r) {
  const b = r.buffer.active;
  const linhas = [];
  for (let i = 0; i < b.length; i++) {
    const l = b.getLine(i);
    const celulas = [];
    for (let x = 0; x < r.cols; x++) {
      const c = l.getCell(x);
      const texto = c.getChars() === '' && c.getWidth() === 1 ? ' ' : c.getChars();
      celulas.push([texto, c.getWidth(), c.isInverse() !== 0]);
    }
    linhas.push({ celulas, quebrada: l.isWrapped });
  }
  return { linhas, cursor: [b.cursorX, b.cursorY] };
}

async function comparar(escritas, tamanho, nome) {
  const modelo = criarModelo(tamanho);
  const real = terminalDeReferencia(tamanho);
  for (const e of escritas) escrever(modelo, e);
  await new Promise((pronto) => real.write(escritas.join(''), pronto));
  const [esperado, visto] = [estadoDaReferencia(real), estadoDoModelo(modelo)];
  real.dispose();
  assert.deepEqual(visto.cursor, esperado.cursor, `${nome}: the cursor`);
  assert.equal(visto.linhas.length, esperado.linhas.length, `${nome}: rows kept`);
  for (const [i, linha] of esperado.linhas.entries()) {
    assert.deepEqual(visto.linhas[i], linha, `${nome}: row ${i}`);
  }
}

const TAMANHOS = [
  { colunas: COLUNAS, linhas: LINHAS, historico: HISTORICO },
  { colunas: COLUNAS, linhas: LINHAS, historico: 30 }, // the history full, and trimmed
];

test(
  'random streams of the game and the page: every cell as a real terminal has it',
  { skip: semReferencia },
  async () => {
    for (let semente = 1; semente <= 1500; semente++) {
      const s = sorteador(semente);
      const pedacos = Array.from({ length: 20 + s.ate(150) }, () => pedaco(s));
      await comparar(emEscritas(pedacos.join(''), s), TAMANHOS[semente % 2], `stream ${semente}`);
    }
  },
);

// The game's own output: each session's screens, cleared as the page
// clears them (the game's own sequence, where a file gets a form feed).
test(
  "the game's sessions, written as the page gets them: every screen as a real terminal has it",
  { skip: semReferencia },
  async () => {
    const raiz = new URL('../../', import.meta.url);
    const limpar = /limpar_com_escapes\[\] = "([^"]*)"/
      .exec(readFileSync(new URL('src/plataforma.h', raiz), 'utf8'))[1]
      .replaceAll('\\033', ESC);
    const sessoes = readdirSync(new URL('tests/sessions/', raiz)).filter((n) =>
      /^[^.]+\.out$/.test(n),
    );
    for (const [i, nome] of sessoes.entries()) {
      const saida = readFileSync(new URL(`tests/sessions/${nome}`, raiz), 'utf8');
      const escritas = emEscritas(saida.replaceAll('\f', limpar), sorteador(i + 1));
      await comparar(escritas, TAMANHOS[i % 2], nome);
    }
  },
);

// Typing, erasing and pasting after a prompt, with the echo on the model.
test(
  'random lines through the discipline: its echo drawn as a real terminal draws it',
  { skip: semReferencia },
  async () => {
    const TECLAS = ['\x7f', '\x7f', '\t', '\x15', '\x17', '\r', '\x01', '\x1b[A', '\u009b2J'];
    for (let semente = 1; semente <= 600; semente++) {
      const s = sorteador(semente * 7919);
      const tamanho = TAMANHOS[0];
      const modelo = criarModelo(tamanho);
      const escritas = [];
      const eco = (texto) => {
        escritas.push(texto);
        escrever(modelo, texto);
      };
      eco(`Prompt${' '.repeat(s.ate(78))}:`);
      const d = criarDisciplina({ eco, coluna: () => modelo.x });
      for (let i = 0, n = 5 + s.ate(120); i < n; i++) {
        const k = s.ate(10);
        d.receber(k < 4 ? s.um(TECLAS) : k < 6 ? s.um(LARGAS.concat(MARCADAS)) : s.um(LETRAS));
      }
      await comparar(escritas, tamanho, `keys ${semente}`);
    }
  },
);

test('an erase matches what is drawn: wide letters, tabs and ^X erased leave the prompt whole', () => {
  const modelo = criarModelo();
  escrever(modelo, '  Digite opção:');
  const d = criarDisciplina({ eco: (t) => escrever(modelo, t), coluna: () => modelo.x });
  d.receber(' 😀😀\t漢\x01e\u0301');
  assert.equal(linhasDaTela(modelo)[0], '  Digite opção: 😀😀    漢^Ae\u0301');
  d.receber('\x7f'.repeat(8));
  assert.equal(linhasDaTela(modelo)[0], '  Digite opção:');
  assert.equal(modelo.x, 15);
});

test('what is not the vocabulary is swallowed whole and never drawn', () => {
  const modelo = criarModelo();
  const lixo = [
    `${ESC}[1;31m`,
    `${ESC}[?25l`,
    `${ESC}[K`,
    `${ESC}]0;título\x07`,
    `${ESC}]8;;http://x${ESC}\\`,
    `${ESC}Pq#0${ESC}\\`,
    `${ESC}(B`,
    `${ESC}7`,
    '\u009b2J\u009b5;5H',
    '\u009d0;t\u009c',
    '\x00\x07\x0e\x0f\x7f\u0085',
  ];
  escrever(modelo, `a${lixo.join('')}b`);
  assert.deepEqual(linhasDaTela(modelo), ['ab']);
  assert.equal(modelo.x, 2);
  // The same, one character a write: a sequence cut anywhere goes on.
  const aos = criarModelo();
  for (const c of `a${lixo.join('')}b`) escrever(aos, c);
  assert.deepEqual([linhasDaTela(aos), aos.x], [['ab'], 2]);
});

test(
  'the widths are Unicode 11 for every code point, as the real terminal counts them',
  { skip: semReferencia },
  () => {
    let provedor;
    new referencia[1].default.Unicode11Addon().activate({
      unicode: { register: (p) => (provedor = p) },
    });
    const diferentes = [];
    for (let c = 0xa0; c <= 0x10ffff; c++) {
      if (c >= 0xd800 && c <= 0xdfff) continue;
      const [nosso, dele] = [largura(String.fromCodePoint(c)), provedor.wcwidth(c)];
      if (nosso !== dele && diferentes.push(c.toString(16)) > 10) break;
    }
    assert.deepEqual(diferentes, []);
  },
);
