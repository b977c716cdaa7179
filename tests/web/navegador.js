// The web page in Debian's chromium, driven as a student would drive it:
//   node tests/web/navegador.js URL [--orcamento]
// URL serves build-web/site on 127.0.0.1. Plays sessions of tests/sessions
// and checks each screen at rest against the game's own texts; then the
// one-key pause, the end of a game and a new one, offline play,
// installability, same-origin requests, a clean console and the budget.
// With --orcamento only the budget is measured and printed.
import { readFileSync, readdirSync, statSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import assert from 'node:assert/strict';
import puppeteer from 'puppeteer-core';

const raiz = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const site = join(raiz, 'build-web', 'site');
const url = process.argv[2];
const soOrcamento = process.argv.includes('--orcamento');
const origem = new URL(url).origin;

const CONVITE = 'Pressione qualquer tecla para continuar. . .';
const PROMPTS = ['Digite opção:', 'Argolas..:', 'discos:', 'Destino:', CONVITE];
const FIM = 'Pressione uma tecla ou toque na tela para jogar de novo.';

const problemas = []; // console errors and warnings, page errors, foreign requests

const navegador = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});

async function abrir(contexto = navegador) {
  const pagina = await contexto.newPage();
  await pagina.setViewport({ width: 768, height: 1024 }); // a tablet held upright
  pagina.on('console', (m) => {
    if (m.type() === 'error' || m.type() === 'warn') problemas.push(`console ${m.type()}: ${m.text()}`);
  });
  pagina.on('pageerror', (e) => problemas.push(`page error: ${e.message}`));
  pagina.on('request', (r) => {
    const destino = new URL(r.url());
    if (destino.protocol.startsWith('http') && destino.origin !== origem) problemas.push(`request elsewhere: ${r.url()}`);
  });
  return pagina;
}

// The buffer up to the cursor, once xterm has parsed all it was given;
// wrapped rows joined, trailing blanks dropped.
function linhas(pagina) {
  return pagina.evaluate(async () => {
    const t = window.terminal;
    await new Promise((pronto) => t.write('', pronto));
    const b = t.buffer.active;
    const saida = [];
    for (let i = 0; i <= b.baseY + b.cursorY; i++) {
      const linha = b.getLine(i);
      const texto = linha.translateToString();
      if (linha.isWrapped && saida.length > 0) saida[saida.length - 1] += texto;
      else saida.push(texto);
    }
    return saida.map((x) => x.trimEnd());
  });
}

const emRepouso = (l) => PROMPTS.some((p) => l.at(-1).endsWith(p)) || l.at(-1).endsWith(FIM);

// Waits until the game waits again (a prompt or the pause at the cursor)
// with something new on the screen.
async function repouso(pagina, antes = null, ms = 5000) {
  const limite = Date.now() + ms;
  for (;;) {
    const l = await linhas(pagina);
    if (emRepouso(l) && l.join('\n') !== antes) return l;
    if (Date.now() > limite) throw new Error(`the game did not wait again; screen ends:\n${l.slice(-5).join('\n')}`);
    await new Promise((r) => setTimeout(r, 10));
  }
}

// Lines cut after every prompt, tabs expanded, blank ones dropped. On the
// terminal what follows a prompt on its line is the typed answer's echo.
function fragmentos(texto, comEco) {
  const saida = [];
  for (let linha of texto) {
    linha = linha.replace(/[^\t]*\t/g, (s) => s.slice(0, -1).padEnd(Math.floor((s.length - 1) / 8) * 8 + 8));
    const partes = [];
    for (;;) {
      const cortes = PROMPTS.map((p) => linha.indexOf(p)).map((i, k) => (i < 0 ? Infinity : i + PROMPTS[k].length));
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
async function sessao(pagina, nome, aoPausar = async () => {}) {
  const entrada = readFileSync(join(raiz, 'tests', 'sessions', `${nome}.in`), 'utf8');
  const telas = readFileSync(join(raiz, 'tests', 'sessions', `${nome}.out`), 'utf8')
    .split('\f').map((t) => fragmentos(t.split('\n'), false));
  let atual = 0;
  const conferir = (l) => {
    const vista = fragmentos(l, true);
    const achada = telas.findIndex((t, i) => i >= atual && vista.every((f, k) => t[k] === f));
    assert.ok(achada >= 0, `${nome}: a screen unlike the game's own:\n${vista.join('\n')}`);
    atual = achada;
  };
  const digitadas = entrada.split('\n');
  let l = await repouso(pagina);
  for (let i = 0; i < digitadas.length && !l.at(-1).endsWith(FIM); i++) {
    while (l.at(-1).endsWith(CONVITE)) {
      conferir(l);
      await aoPausar(l);
      await pagina.keyboard.press('Space');
      l = await repouso(pagina, l.join('\n'));
    }
    conferir(l);
    const ultima = i === digitadas.length - 1;
    if (ultima && digitadas[i] === '') break;
    await pagina.keyboard.type(digitadas[i]);
    if (ultima) {
      await ctrl(pagina, 'd'); // a last line without its line end
      break;
    }
    await pagina.keyboard.press('Enter');
    l = await repouso(pagina, l.join('\n'));
  }
  if (!l.at(-1).endsWith(FIM)) {
    await ctrl(pagina, 'd');
    l = await repouso(pagina, l.join('\n'));
  }
  assert.ok(l.at(-1).includes('Fim do jogo.'), `${nome}: ended with ${l.at(-1)}`);
  return l;
}

async function ctrl(pagina, tecla) {
  await pagina.keyboard.down('Control');
  await pagina.keyboard.press(tecla);
  await pagina.keyboard.up('Control');
}

// Milliseconds from the start of the navigation to the first menu.
async function primeiroMenu(pagina) {
  await pagina.goto(url, { waitUntil: 'domcontentloaded' });
  await pagina.waitForFunction(() => {
    const b = window.terminal?.buffer.active;
    return b?.getLine(b.baseY + b.cursorY)?.translateToString().trimEnd().endsWith('Digite opção:');
  }, { polling: 'raf', timeout: 10000 });
  return pagina.evaluate(() => performance.now());
}

async function novoJogoPorTecla(pagina, antes) {
  await pagina.keyboard.press('k');
  return repouso(pagina, antes);
}

async function orcamento() {
  const arquivos = readdirSync(site);
  let gzip = 0;
  for (const a of arquivos) gzip += gzipSync(readFileSync(join(site, a)), { level: 9 }).length;
  const wasm = statSync(join(site, 'torre-de-hanoi.wasm')).size;

  // One load first, unmeasured: the browser's own start-up is not the page's.
  const tempos = [];
  for (let i = -1; i < 5; i++) {
    const contexto = await navegador.createBrowserContext(); // a first visit each time
    const ms = await primeiroMenu(await abrir(contexto));
    if (i >= 0) tempos.push(ms);
    await contexto.close();
  }
  tempos.sort((a, b) => a - b);

  const pagina = await abrir();
  const cdp = await pagina.createCDPSession();
  await primeiroMenu(pagina);
  let l = await repouso(pagina);
  const heap = async () => {
    await cdp.send('HeapProfiler.collectGarbage');
    return (await cdp.send('Runtime.getHeapUsage')).usedSize;
  };
  let depoisDoQuinto = 0;
  for (let jogo = 1; jogo <= 50; jogo++) {
    await pagina.keyboard.type('5');
    await pagina.keyboard.press('Enter');
    l = await repouso(pagina, l.join('\n'));
    if (jogo === 5) depoisDoQuinto = await heap();
    l = await novoJogoPorTecla(pagina, l.join('\n'));
  }
  const crescimento = (await heap()) - depoisDoQuinto;
  await pagina.close();

  const kb = (n) => `${(n / 1024).toFixed(1)} KB`;
  const linhasOrcamento = [
    ['whole site, gzip', kb(gzip), '<= 150 KB', gzip <= 150 * 1024],
    ['game wasm', kb(wasm), '<= 64 KB', wasm <= 64 * 1024],
    ['first menu after load, median of 5', `${tempos[2].toFixed(0)} ms`, '<= 1000 ms', tempos[2] <= 1000],
    ['JS heap, game 50 vs game 5', `${(crescimento / 1048576).toFixed(2)} MB`, '<= 2 MB', crescimento <= 2 * 1048576],
  ];
  console.log(`    ${'figure'.padEnd(38)} ${'value'.padStart(10)}  ${'target'.padEnd(11)} holds`);
  for (const [nome, valor, alvo, ok] of linhasOrcamento) {
    console.log(`    ${nome.padEnd(38)} ${valor.padStart(10)}  ${alvo.padEnd(11)} ${ok ? 'yes' : 'NO'}`);
  }
  console.log(`    (first menu in ms: ${tempos.map((t) => t.toFixed(0)).join(', ')})`);
  return linhasOrcamento.every((x) => x[3]);
}

async function verificar() {
  const pagina = await abrir();
  await primeiroMenu(pagina);
  const pag = await pagina.evaluate(() => ({
    lang: document.documentElement.lang,
    titulo: document.title,
    icone: document.querySelector('link[rel=icon]')?.getAttribute('href'),
    foco: document.activeElement?.classList.contains('xterm-helper-textarea'),
    leitor: window.terminal.options.screenReaderMode && !!document.querySelector('.xterm-accessibility'),
    tamanho: [window.terminal.cols, window.terminal.rows],
    teclas: [...document.querySelectorAll('#teclas button')].map((b) => b.textContent),
    sobra: document.documentElement.scrollWidth - window.innerWidth,
  }));
  assert.deepEqual([pag.lang, pag.titulo, pag.icone], ['pt-BR', 'Torre de Hanói', 'torre-de-hanoi.svg']);
  assert.ok(pag.foco, 'the terminal has no focus on load');
  assert.ok(pag.leitor, 'screen reader mode is off');
  assert.deepEqual(pag.tamanho, [80, 25]);
  assert.deepEqual(pag.teclas, ['1', '2', '3', '4', '5', '6', '7', '8', '⌫', 'Enter']);
  assert.ok(pag.sobra <= 0, `sideways scrolling at 768 pixels: ${pag.sobra}`);
  await pagina.screenshot({ path: join(raiz, 'build-web', 'menu.png') });
  console.log('page: pt-BR, title, icon, focus, screen reader, 80x25 with no sideways scrolling at 768 px');

  // The on-screen keys type as the keyboard does.
  await pagina.click('#teclas button[data-tecla="4"]');
  await pagina.click('#teclas button.largo');
  let l = await repouso(pagina);
  assert.ok(l.some((x) => x.startsWith('    CO-FUNDADOR: ')) && l.at(-1) === CONVITE, 'on-screen keys');
  await pagina.keyboard.press('x');
  l = await repouso(pagina, l.join('\n'));
  assert.ok(l.at(-1).endsWith('Digite opção:'), 'the pause did not end');
  await pagina.keyboard.type('5');
  await pagina.keyboard.press('Enter');
  l = await repouso(pagina, l.join('\n'));
  console.log('on-screen keys: 4 and Enter open the credits');

  for (const nome of ['todo-o-menu', 'dois-numeros-na-linha', 'nao-numero', 'menu-fora-da-faixa',
    'fim-no-jogo', 'numero-grande-no-fim', 'sequencia-oito-discos', 'uma-argola']) {
    l = await novoJogoPorTecla(pagina, l.join('\n'));
    l = await sessao(pagina, nome, async (tela) => {
      if (nome === 'uma-argola') await pagina.screenshot({ path: join(raiz, 'build-web', 'vitoria.png') });
      if (nome === 'sequencia-oito-discos') {
        const movimentos = tela.filter((x) => x.startsWith(' Mover disco '));
        assert.equal(movimentos.length, 255, 'moves of the 8-disc list');
      }
    });
    console.log(`session ${nome}: every screen as the game's own`);
  }

  // The pause takes one key, and only one typed after it was shown.
  l = await novoJogoPorTecla(pagina, l.join('\n'));
  // The x comes with the Enter, as in a paste, before the rules are shown.
  await pagina.evaluate(() => window.terminal.input('2\rx'));
  l = await repouso(pagina, l.join('\n'));
  assert.equal(l.at(-1), CONVITE);
  await new Promise((r) => setTimeout(r, 300));
  assert.equal((await linhas(pagina)).at(-1), CONVITE, 'a key typed before the pause ended it');
  await pagina.keyboard.press('ArrowUp');
  l = await repouso(pagina, l.join('\n'));
  await pagina.keyboard.type('3');
  await new Promise((r) => setTimeout(r, 100));
  l = await linhas(pagina);
  assert.ok(l.at(-1).endsWith('Digite opção: 3'), `the key after the pause was lost: ${l.at(-1)}`);
  console.log('pause: keys typed before it ignored, one key (an arrow) ends it, the next reaches the prompt');

  // Ctrl-C ends the game as a signal would; a tap starts a new one.
  await ctrl(pagina, 'c');
  l = await repouso(pagina, l.join('\n'));
  assert.ok(l.some((x) => x.endsWith('Digite opção: 3^C')), 'no ^C echoed');
  assert.ok(l.at(-1).includes('Jogo interrompido (Ctrl-C).'), l.at(-1));
  await pagina.click('#terminal');
  l = await repouso(pagina, l.join('\n'));
  assert.ok(l.at(-1).endsWith('Digite opção:') && l.length < 15, 'a tap did not start a new game');
  console.log('end: 5, Ctrl-D and Ctrl-C each say so; a key or a tap starts a new game');

  // Offline: the service worker answers every file.
  await pagina.evaluate(() => navigator.serviceWorker.ready);
  await pagina.waitForFunction(() => navigator.serviceWorker.controller !== null);
  await pagina.setOfflineMode(true);
  await primeiroMenu(pagina);
  await pagina.keyboard.type('2');
  await pagina.keyboard.press('Enter');
  l = await repouso(pagina);
  assert.ok(l.some((x) => x.includes('MOVIMENTAR UMA SÓ PEÇA DE CADA VEZ.')), 'offline: no rules');
  await pagina.setOfflineMode(false);
  console.log('offline: reloaded and played with the network off');

  const cdp = await pagina.createCDPSession();
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, [], JSON.stringify(installabilityErrors));
  console.log('installable: no installability errors');
  await pagina.close();
}

let ok = true;
try {
  if (!soOrcamento) await verificar();
  ok = await orcamento();
  if (!soOrcamento) {
    assert.deepEqual(problemas, []);
    console.log('requests: all to the site itself; console: no error, no warning');
  }
} catch (erro) {
  console.error(erro.stack || erro);
  if (problemas.length) console.error(problemas.join('\n'));
  ok = false;
} finally {
  await navegador.close();
}
process.exit(ok || soOrcamento ? 0 : 1);
