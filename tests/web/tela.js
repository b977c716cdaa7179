// What the browser tests read off the page's terminal, in any engine: its
// lines, the game waiting again, and whole sessions of tests/sessions
// played and checked screen by screen.
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import assert from 'node:assert/strict';
import { CONVITE, FIM, PROMPTS } from './textos.js';

export const raiz = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
export { CONVITE, MENU, FIM } from './textos.js';

export const esperar = (ms) => new Promise((r) => setTimeout(r, ms));

// The screen's rows up to the cursor's, the rows above the screen
// included, as the page shows them once it has drawn; wrapped rows
// joined, trailing blanks dropped.
export function linhas(pagina) {
  return pagina.avaliar(async () => {
    await new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)));
    const filas = [...document.querySelectorAll('#tela .linha')];
    const cursor = filas.findIndex((f) => f.querySelector('.cursor'));
    const saida = [];
    for (const f of filas.slice(0, cursor + 1)) {
      const texto = f.textContent.replace(/\u00a0/g, ' '); // as an old browser can
      if (f.classList.contains('quebrada') && saida.length > 0) saida[saida.length - 1] += texto;
      else saida.push(texto);
    }
    return saida.map((x) => x.trimEnd());
  });
}

const emRepouso = (l) => PROMPTS.some((p) => l.at(-1).endsWith(p)) || l.at(-1).endsWith(FIM);

// Reads until what it reads is `pronto`, and returns it; after `ms`
// milliseconds fails with `queixa(what it read last)`.
export async function aguardar(ler, pronto, ms, queixa) {
  const limite = Date.now() + ms;
  for (;;) {
    const valor = await ler();
    if (pronto(valor)) return valor;
    assert.ok(Date.now() < limite, queixa(valor));
    await esperar(10);
  }
}

// Once `ler()` gives something true, that.
export const quando = (ler, ms, queixa) => aguardar(ler, (x) => x, ms, queixa);

// What the page's live region says, once it says what `esperado` wants.
export const falado = (pagina, esperado) =>
  aguardar(
    () => pagina.avaliar(() => document.getElementById('fala').textContent),
    esperado,
    5000,
    (f) => `the live region says: ${f}`,
  );

// Two frames on: what a resize or a key changed is laid out and painted.
export const quadro = (pagina) =>
  pagina.avaliar(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));

// Waits until the game waits again (a prompt or the pause at the cursor)
// with a screen other than `antes` (its lines).
export const repouso = (pagina, antes = null, ms = 10000) =>
  aguardar(
    () => linhas(pagina),
    (l) => emRepouso(l) && l.join('\n') !== antes?.join('\n'),
    ms,
    (l) => `the game did not wait again; screen ends:\n${l.slice(-5).join('\n')}`,
  );

// Types `resposta` and Enter at the screen `antes`; the next screen.
export async function responder(pagina, antes, resposta) {
  await pagina.digitar(resposta);
  await pagina.tecla('Enter');
  return repouso(pagina, antes);
}

// One key at the screen `antes` (a pause, or a game's end); the next screen.
export async function teclar(pagina, antes, tecla = 'Space') {
  await pagina.tecla(tecla);
  return repouso(pagina, antes);
}

// Opens the page and waits for the first menu.
export async function primeiroMenu(pagina, url) {
  await pagina.ir(url);
  return menuAberto(pagina);
}

// Waits for the page's modules to run on the first paint's screen and the
// game (or the page, when it cannot load) to write on it (the model's
// cursor moved), then for the game to wait.
export async function menuAberto(pagina) {
  await quando(
    () => pagina.avaliar(() => window.modeloDoJogo?.x > 0),
    15000,
    () => 'the page did not start its terminal',
  );
  return repouso(pagina);
}

// A line as a terminal shows it: tabs expanded to stops of 8.
export const semTabs = (linha) =>
  linha.replace(/[^\t]*\t/g, (s) => s.slice(0, -1).padEnd(Math.floor((s.length - 1) / 8) * 8 + 8));

// Lines cut after every prompt, tabs expanded, blank ones dropped. On the
// terminal what follows a prompt on its line is the typed answer's echo.
function fragmentos(texto, comEco) {
  const saida = [];
  for (let linha of texto) {
    linha = semTabs(linha);
    const partes = [];
    for (;;) {
      const cortes = PROMPTS.map((p) => linha.indexOf(p)).map((i, k) =>
        i < 0 ? Infinity : i + PROMPTS[k].length,
      );
      let corte = Math.min(...cortes);
      if (linha[corte] === ' ') corte++; // the prompt's own blank
      if (corte === Infinity) break;
      partes.push(linha.slice(0, corte));
      linha = linha.slice(corte);
    }
    if (!comEco || partes.length === 0) partes.push(linha);
    for (const p of partes) if (p.trimEnd()) saida.push(p.trimEnd());
  }
  return saida;
}

// Plays sessions/NAME.in: each line typed and entered, a key at each pause,
// Ctrl-D where the input ends. Every screen at rest must be the start of a
// screen of NAME.out, in order.
export async function sessao(pagina, nome, aoPausar = async () => {}) {
  const ler = (extensao) => readFileSync(join(raiz, 'tests', 'sessions', nome + extensao), 'utf8');
  const telas = ler('.out')
    .split('\f')
    .map((t) => fragmentos(t.split('\n'), false));
  let atual = 0;
  const conferir = (l) => {
    const vista = fragmentos(l, true);
    const achada = telas.findIndex((t, i) => i >= atual && vista.every((f, k) => t[k] === f));
    assert.ok(achada >= 0, `${nome}: a screen unlike the game's own:\n${vista.join('\n')}`);
    atual = achada;
  };
  const digitadas = ler('.in').split('\n');
  let l = await repouso(pagina);
  for (let i = 0; i < digitadas.length && !l.at(-1).endsWith(FIM); i++) {
    while (l.at(-1).endsWith(CONVITE)) {
      conferir(l);
      await aoPausar(l);
      l = await teclar(pagina, l);
    }
    conferir(l);
    const ultima = i === digitadas.length - 1;
    if (ultima && digitadas[i] === '') break;
    await pagina.digitar(digitadas[i]);
    if (ultima) {
      await pagina.ctrl('d'); // a last line without its line end
      break;
    }
    await pagina.tecla('Enter');
    l = await repouso(pagina, l);
  }
  if (!l.at(-1).endsWith(FIM)) {
    await pagina.ctrl('d'); // the game may still be reading a number
    l = await repouso(pagina, l);
  }
  assert.ok(l.at(-1).includes('Fim do jogo.'), `${nome}: ended with ${l.at(-1)}`);
  return l;
}
