// The narrator against whole sessions: every screen the game drew, as a
// terminal shows it when the game waits, and what a listener hears.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { MUITO_TEXTO, narrar, prosa } from '../../web/narrador.js';
import { criarModelo, escrever, linhasDaTela, linhasDoTexto } from '../../web/modelo.js';
import { CONVITE, PROMPTS } from './textos.js';

const saida = (nome) => readFileSync(new URL(`../sessions/${nome}.out`, import.meta.url), 'utf8');

// The screen at each wait for the user (a prompt or the pause), as the
// page's model shows it to the narrator.
const ESPERA = new RegExp(PROMPTS.map((p) => `${p.replace(/[.]/g, '\\.')} `).join('|'), 'g');
function telaMostrada(texto) {
  const t = criarModelo();
  escrever(t, texto);
  return linhasDaTela(t);
}
const telas = (nome) =>
  saida(nome)
    .split('\f')
    .flatMap((tela) =>
      [...tela.matchAll(ESPERA)].map((m) => telaMostrada(tela.slice(0, m.index + m[0].length))),
    );

// What the page says at each screen: the narrator's words, or (null) the prose.
function ouvir(nome) {
  let anterior = null;
  return telas(nome).map((linhas) => {
    const r = narrar(linhas, anterior);
    anterior = r?.tabuleiro ?? null;
    return r?.fala ?? null;
  });
}

const OPCOES =
  'Opções: 1, A para B; 2, A para C; 3, B para A; 4, B para C; 5, C para A; 6, C para B; 7, sair.';

test('a game to its win: the towers by name, the menu once, the winning message', () => {
  const falas = ouvir('tres-argolas').filter((f) => f !== null);
  assert.equal(
    falas[0],
    `Argolas de baixo para cima. Torre A: 3, 2, 1. Torre B: vazia. Torre C: vazia. Movimentos: 0. ${OPCOES} Digite opção.`,
  );
  assert.equal(falas[1], 'Torre A: 3, 2. Torre B: vazia. Torre C: 1. Movimentos: 1. Digite opção.');
  assert.equal(falas[2], 'Torre A: 3. Torre B: 2. Torre C: 1. Movimentos: 2. Digite opção.');
  assert.equal(falas.at(-1), `Parabens, voce conseguiu em 7 movimentos! ${CONVITE}`);
  assert.equal(falas.length, 8);
  assert.ok(falas.slice(1).every((f) => f.length < 120 && !f.includes('Opções')));
});

test('a refused move says so; the menu, the pause after SAIR and the prompt are prose', () => {
  const falas = ouvir('recusa-sobre-menor');
  const tabuleiros = falas.filter((f) => f !== null);
  assert.equal(
    tabuleiros.at(-1),
    'Movimento recusado. Torre A: vazia. Torre B: 1. Torre C: 2. Movimentos: 3. Digite opção.',
  );
  assert.equal(tabuleiros.length, 4);
  assert.equal(falas[0], null); // the banner and menu
  assert.equal(falas.at(-1), null); // the menu again, after the pause
  assert.equal(falas.at(-2), null); // SAIR: the board stays, the pause is prose
});

test('a number out of range at the move prompt leaves the board unsaid', () => {
  const tela = telas('tres-argolas')[2]; // the first board
  const primeiro = narrar(tela, null);
  const outra = narrar([...tela, ' Digite opção:'], primeiro.tabuleiro);
  assert.equal(outra.fala, null);
});

test('prose: no clearing sequence, no blank lines, and a long list cut after twenty lines', () => {
  assert.equal(
    prosa(linhasDoTexto('\x1b[H\x1b[2J\x1b[3J\t\tTORRE\x07\n\n 5 - SAIR\n\n  Digite opção: ')),
    'TORRE\n5 - SAIR\nDigite opção:',
  );
  const escrita = saida('sequencia-oito-discos')
    .split('\f')
    .find((t) => t.includes('Mover disco'));
  const lista = prosa(linhasDoTexto(escrita)).split('\n');
  assert.equal(lista.length, 22);
  assert.equal(lista[20], MUITO_TEXTO);
  assert.equal(lista[21], CONVITE);
});
