// The web page in a browser engine, driven as a student would drive it:
//   node tests/web/navegador.js [chromium|firefox|webkit]
// (webkit under xvfb-run). Serves build-web/site on 127.0.0.1, then: every
// file fetched once on a first visit, the page's basics, the on-screen keys,
// sessions of tests/sessions checked screen by screen, the one-key pause,
// the end of a game and a new one, and offline play where the engine runs
// a service worker there. Chromium also checks less polite hosts, two
// copies on one origin, the page opened as a file and without JavaScript,
// installability, same-origin requests, a clean console and the site's
// size.
import {
  appendFileSync,
  cpSync,
  mkdtempSync,
  readFileSync,
  readdirSync,
  rmSync,
  statSync,
  writeFileSync,
} from 'node:fs';
import { createHash } from 'node:crypto';
import { tmpdir } from 'node:os';
import { gzipSync } from 'node:zlib';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import assert from 'node:assert/strict';
import { after, test } from 'node:test';
import { abrirMotor, abrirSite, SITE as site } from './motor.js';
import { servir } from './servidor.js';
import { scriptDaSuperficie } from './superficie.js';
import { LINHAS } from '../../web/dimensoes.js';
import {
  aguardar,
  quando,
  raiz,
  CONVITE,
  MENU,
  FIM,
  esperar,
  falado,
  linhas,
  repouso,
  responder,
  primeiroMenu,
  menuAberto,
  sessao,
  teclar,
} from './tela.js';

const motorNome =
  process.argv.find((a) => ['chromium', 'firefox', 'webkit'].includes(a)) ?? 'chromium';
// --superficie=NAME (a line of web/.browserslistrc, as superficie.js names
// it): the game's sessions played with only the APIs that browser has.
const superficie = process.argv.find((a) => a.startsWith('--superficie='))?.split('=')[1];
const chromium = motorNome === 'chromium' && !superficie;

const ambiente = await abrirSite(motorNome);
const { url, motor } = ambiente;
const origem = new URL(url).origin;
const problemas = []; // console errors and warnings, page errors, foreign requests

async function abrir(opcoes) {
  const pagina = await motor.pagina(opcoes);
  if (superficie) await pagina.p.evaluateOnNewDocument(scriptDaSuperficie(superficie));
  if (pagina.p) {
    pagina.p.on('console', (m) => {
      if (m.type() === 'error' || m.type() === 'warn') {
        problemas.push(`console ${m.type()}: ${m.text()}`);
      }
    });
    pagina.p.on('pageerror', (e) => problemas.push(`page error: ${e.message}`));
    pagina.p.on('request', (r) => {
      const destino = new URL(r.url());
      if (destino.protocol.startsWith('http') && destino.origin !== origem) {
        problemas.push(`request elsewhere: ${r.url()}`);
      }
    });
  }
  return pagina;
}

// The screen's font, as the page sized it.
const fonteDaTela = () =>
  parseFloat(getComputedStyle(document.getElementById('terminal')).getPropertyValue('--fonte'));

// Ctrl+C on rows selected with the mouse, from the first column of row
// `de` to the end of row `ate`, after Control alone: what was copied.
async function copiar(pagina, de, ate) {
  const caixa = await pagina.avaliar((linhas) => {
    addEventListener('copy', (e) => (window.copiado = e.clipboardData.getData('text/plain')));
    const { left, right, top, height } = document.getElementById('tela').getBoundingClientRect();
    return { left, right, top, linha: height / linhas };
  }, LINHAS);
  const y = (linha) => caixa.top + (linha + 0.5) * caixa.linha;
  await pagina.arrastar([caixa.left + 1, y(de)], [caixa.right - 1, y(ate)]);
  await pagina.tecla('Control');
  await pagina.ctrl('c');
  return pagina.avaliar(() => window.copiado);
}

const foto = (pagina, nome) =>
  pagina.foto(join(raiz, 'build-web', chromium ? `${nome}.png` : `${nome}-${motorNome}.png`));

// What the page itself asked for: not the service worker's script, which
// any page of the origin may ask for again, nor what the worker fetches
// past every cache to keep it.
const doPagina = (desde = 0) =>
  ambiente.servidor.pedidos.slice(desde).filter((p) => !p.recarga && p.caminho !== '/sw.js');

function umaVezCada() {
  const contagem = {};
  for (const { caminho, status } of doPagina()) {
    // The browser may check the manifest's icon again: a 304 is no download.
    if (status !== 304) contagem[caminho] = (contagem[caminho] ?? 0) + 1;
  }
  const duas = Object.entries(contagem).filter(([, n]) => n > 1);
  assert.deepEqual(duas, [], 'files fetched more than once on a first visit');
  for (const arquivo of ['/', '/principal.js', '/torre-de-hanoi.wasm']) {
    assert.equal(contagem[arquivo], 1, `${arquivo} not fetched on a first visit`);
  }
  return Object.keys(contagem).length;
}

// Every scenario is a named test, played in turn on one page; a game's
// scenario (jogo) loads it anew at its first menu, so that a failure
// names one case and leaves the others their start.
async function cenarios(t) {
  const pagina = await abrir();
  let l;
  let soOJogo = false; // past the game's scenarios, in a surface's run
  const caso = (nome, corpo, opcoes = {}) =>
    t.test(nome, soOJogo ? { skip: `not with ${superficie}'s APIs` } : opcoes, corpo);
  const jogo = (nome, corpo) =>
    caso(nome, async (tt) => corpo(tt, (l = await primeiroMenu(pagina, url))));

  await caso('first visit: every file fetched once', async () => {
    l = await primeiroMenu(pagina, url);
    console.log(`first visit: each of ${umaVezCada()} files fetched once`);
  });

  await caso(
    'page: pt-BR, its title, the input focused and named, no scroll, the menu said',
    async () => {
      const pag = await pagina.avaliar(() => ({
        lang: document.documentElement.lang,
        titulo: document.title,
        foco: document.activeElement?.getAttribute('aria-label'),
        sobra: [
          document.documentElement.scrollWidth - document.documentElement.clientWidth,
          document.documentElement.scrollHeight - document.documentElement.clientHeight,
        ],
      }));
      assert.deepEqual(pag, {
        lang: 'pt-BR',
        titulo: 'Torre de Hanói',
        foco: 'Entrada do terminal',
        sobra: [0, 0],
      });
      // A screen reader finds the screen's rows on the page, and hears the menu.
      const arvore = chromium && JSON.stringify(await pagina.p.accessibility.snapshot());
      assert.ok(!chromium || arvore.includes('5 - SAIR'), 'no rows for a screen reader');
      await falado(pagina, (f) => f.includes('5 - SAIR') && f.endsWith(MENU));
      await foto(pagina, 'menu');
    },
  );

  await jogo('on-screen keys: 4 and Enter open the credits', async () => {
    await pagina.clicar('#teclas button[data-tecla="4"]');
    await pagina.clicar('#teclas button.largo');
    l = await repouso(pagina, l);
    assert.ok(l.some((x) => x.startsWith('    CO-FUNDADOR: ')) && l.at(-1) === CONVITE, 'keys');
    await pagina.digitar('x');
    l = await repouso(pagina, l);
    assert.ok(l.at(-1).endsWith(MENU), 'the pause did not end');
    l = await responder(pagina, l, '5');
  });

  const sessoes = chromium
    ? [
        'todo-o-menu',
        'dois-numeros-na-linha',
        'nao-numero',
        'menu-fora-da-faixa',
        'fim-no-jogo',
      ].concat(['numero-grande-no-fim', 'tres-argolas', 'sequencia-oito-discos', 'uma-argola'])
    : ['todo-o-menu', 'tres-argolas', 'sequencia-oito-discos'];
  for (const nome of sessoes) {
    await jogo(`session ${nome}: every screen as the game's own`, async () => {
      l = await sessao(pagina, nome, async (tela) => {
        if (nome === 'tres-argolas') {
          assert.ok(tela.includes('Parabens, voce conseguiu em 7 movimentos!'), 'no win');
          await foto(pagina, 'vitoria');
        }
        if (nome === 'sequencia-oito-discos') {
          const movimentos = tela.filter((x) => x.startsWith(' Mover disco '));
          assert.equal(movimentos.length, 255, 'moves of the 8-disc list');
          await rolagem(pagina);
        }
      });
    });
  }

  const pausa = chromium
    ? 'pause: keys typed before it ignored, one key (an arrow) ends it, the next reaches the prompt'
    : 'pause: it waits, one key (an arrow) ends it, the next reaches the prompt';
  await jogo(pausa, async () => {
    if (chromium) {
      // The x comes with the Enter, in a real paste, before the rules are shown.
      await pagina.colar('2\rx');
    } else {
      await pagina.digitar('2');
      await pagina.tecla('Enter');
    }
    l = await repouso(pagina, l);
    assert.equal(l.at(-1), CONVITE);
    await esperar(300);
    assert.equal((await linhas(pagina)).at(-1), CONVITE, 'the pause ended by itself');
    await pagina.tecla('ArrowUp');
    await repouso(pagina, l);
    await pagina.digitar('3');
    await esperar(100);
    l = await linhas(pagina);
    assert.ok(l.at(-1).endsWith(`${MENU} 3`), `the key after the pause was lost: ${l.at(-1)}`);
  });

  // Ctrl-C copies a selection, else ends the game as a signal would; a
  // tap starts a new one, a drag or a scroll does not; so does a key
  // after Ctrl-D at the menu.
  await jogo('end: Ctrl-C and Ctrl-D each say so; a tap or a key starts a new game', async () => {
    await pagina.digitar('3');
    if (chromium) {
      // The browser's shortcuts stay its own; a paste is text; a composed
      // letter comes at once and in order, and is erased as drawn.
      const cdp = await pagina.p.createCDPSession();
      const acento = { text: '´', selectionStart: 1, selectionEnd: 1 };
      const compor = (letra) =>
        cdp
          .send('Input.imeSetComposition', acento)
          .then(() => cdp.send('Input.insertText', { text: letra }));
      for (const letra of 'fge') await pagina.ctrl(letra);
      await pagina.colar('\x15x\x03', true);
      await compor('á');
      await pagina.digitar('1');
      await compor('é');
      await esperar(100);
      assert.ok((await linhas(pagina)).at(-1).endsWith(`${MENU} 3xá1é`), 'keys, paste, accents');
      for (let i = 0; i < 4; i++) await pagina.tecla('Backspace');
    }
    const copiado = await copiar(pagina, 0, 4);
    await esperar(200);
    l = await linhas(pagina);
    assert.ok(l.at(-1).endsWith(`${MENU} 3`), 'Ctrl-C on a selection');
    assert.equal(copiado, l.slice(0, 5).join('\n'), 'the rows copied');
    await pagina.avaliar(() => getSelection().removeAllRanges());
    await pagina.ctrl('c');
    l = await repouso(pagina, l);
    assert.ok(
      l.some((x) => x.endsWith(`${MENU} 3^C`)),
      'no ^C echoed',
    );
    assert.ok(l.at(-1).includes('Jogo interrompido (Ctrl-C).'), l.at(-1));
    if (pagina.p) {
      const { x, y, width, height } = await pagina.p.$eval('#tela', (e) =>
        e.getBoundingClientRect().toJSON(),
      );
      await pagina.p.mouse.move(x + width / 2, y + height / 2);
      await pagina.p.mouse.wheel({ deltaY: -200 });
      await pagina.p.mouse.down();
      await pagina.p.mouse.move(x + width / 2 + 60, y + height / 2 + 40, { steps: 4 });
      await pagina.p.mouse.up();
      for (const clique of [{ count: 2 }, { button: 'right' }, { button: 'middle' }]) {
        await pagina.p.mouse.click(x + width / 2, y + height / 2, clique);
      }
      await esperar(700);
      assert.ok((await linhas(pagina)).at(-1).endsWith(FIM), 'a drag or a click started a game');
      await pagina.avaliar(() => getSelection().removeAllRanges());
    }
    await pagina.clicar('#terminal');
    l = await repouso(pagina, l);
    assert.ok(l.at(-1).endsWith(MENU) && l.length < 15, 'a tap did not start a new game');
    await pagina.ctrl('d');
    l = await repouso(pagina, l);
    assert.ok(l.at(-1).includes('Fim do jogo.') && l.at(-1).endsWith(FIM), l.at(-1));
    l = await teclar(pagina, l);
    assert.ok(l.at(-1).endsWith(MENU) && l.length < 15, 'a key did not start a new game');
  });

  soOJogo = Boolean(superficie);
  // Before the game by ear, whose Shift+Tab leaves headless Firefox's
  // page without the focus that a button's Enter needs.
  await caso(
    'letters: the buttons by pointer and by keyboard, said, kept over a reload',
    async () => {
      l = await letras(pagina);
    },
  );
  await jogo('by ear: the towers by name, a refused move told, keys with the focus away', () =>
    porOuvido(pagina, l),
  );
  await caso('offline: the server gone, the page reloads and plays', (t) => offline(pagina, t));
  const pedaco = readdirSync(site).find((a) => a.startsWith('chunk-'));
  for (const [arquivo, como] of [
    ['principal.js', 'faltando'],
    [pedaco, 'faltando'],
    ['principal.js', 'quebrados'],
    ['torre-de-hanoi.wasm', 'faltando'],
  ]) {
    const mal = como === 'faltando' ? 'missing' : 'throwing';
    await caso(
      `${arquivo} ${mal}: said, and a key tries again once it is mended, kept keys too`,
      () =>
        emVisita({ [como]: [`/${arquivo}`] }, (pagina) => moduloFaltando(pagina, `/${arquivo}`)),
    );
  }
  await caso('a resize while the modules load: the first paint follows the window', () =>
    emVisita({}, redimensionarCarregando),
  );

  if (chromium) {
    await hospedes(caso);
    await caso('two copies on one origin keep their own caches', () =>
      emVisita({ copias: ['torre', 'torre-beta'] }, duasCopias),
    );
    await caso('opened as a file or without JavaScript, the page says why', () =>
      emVisita({}, semJogo),
    );
    await caso('installable: no installability errors', async () => {
      const cdp = await pagina.p.createCDPSession();
      const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
      assert.deepEqual(installabilityErrors, [], JSON.stringify(installabilityErrors));
    });
    await caso('size: the site at most 64 KB gzipped, the wasm too', tamanhos);
    await caso(
      'one response: nothing asked for before the first paint, scripts by hash',
      umaResposta,
    );
  }
  await pagina.fechar();
  soOJogo = false;
  await caso(
    'requests: all to the site itself; console: no error, no warning',
    () => assert.deepEqual(problemas, []),
    { skip: !motor.navegador && 'the engine reports neither' },
  );
}

// The rows above the screen, reached by Shift+PageUp and the wheel, and
// back by Shift+PageDown; the pause still waits.
async function rolagem(pagina) {
  const topo = () =>
    pagina.avaliar(async () => {
      await new Promise((r) => requestAnimationFrame(r));
      return document.getElementById('tela').scrollTop;
    });
  const fim = await topo();
  await pagina.comShift('PageUp');
  const acima = await topo();
  assert.ok(acima < fim, `Shift+PageUp: scrolled to ${acima} from ${fim}`);
  await pagina.comShift('PageDown');
  assert.equal(await topo(), fim, 'Shift+PageDown');
  if (pagina.p) {
    const { x, y } = await pagina.p.$eval('#tela', (e) => e.getBoundingClientRect().toJSON());
    await pagina.p.mouse.move(x + 50, y + 50);
    await pagina.p.mouse.wheel({ deltaY: -300 });
    await aguardar(
      topo,
      (t) => t < fim,
      2000,
      (t) => `the wheel: at ${t} from ${fim}`,
    );
  }
  assert.equal((await linhas(pagina)).at(-1), CONVITE, 'scrolling ended the pause');
}

// A game played by ear: the towers said by name, a refused move told,
// keys typed with the focus elsewhere (a screen reader's review, a
// selection) reaching the game, and Shift-Tab leaving the terminal.
async function porOuvido(pagina, l) {
  const jogar = async (linha) => {
    l = await responder(pagina, l, linha);
  };
  await jogar('1');
  await jogar('2');
  const primeira = await falado(pagina, (f) => f.startsWith('Argolas de baixo para cima.'));
  assert.match(
    primeira,
    /Torre A: 2, 1\. Torre B: vazia\. Torre C: vazia\. Movimentos: 0\. Opções: /,
  );
  for (const [jogada, fala] of [
    ['2', 'Torre A: 2. Torre B: vazia. Torre C: 1. Movimentos: 1. Digite opção.'],
    ['1', 'Torre A: vazia. Torre B: 2. Torre C: 1. Movimentos: 2. Digite opção.'],
    [
      '4',
      'Movimento recusado. Torre A: vazia. Torre B: 2. Torre C: 1. Movimentos: 3. Digite opção.',
    ],
  ]) {
    await jogar(jogada);
    await falado(pagina, (f) => f === fala);
  }
  // The focus away from the terminal, as a screen reader's review leaves it.
  await pagina.avaliar(() => document.activeElement.blur());
  await jogar('7');
  await falado(pagina, (f) => f === CONVITE);
  await falado(pagina, (f) => f === ''); // said, and gone from the page
  const foco = () => pagina.avaliar(() => document.activeElement?.id === 'entrada');
  assert.ok(await foco(), 'the focus did not come back to the terminal');
  if (pagina.p) {
    await pagina.p.keyboard.down('Shift');
    await pagina.p.keyboard.press('Tab');
    await pagina.p.keyboard.up('Shift');
    assert.ok(!(await foco()), 'Shift-Tab did not leave the terminal');
    await pagina.avaliar(() => document.getElementById('entrada').focus());
  }
  l = await teclar(pagina, l);
  console.log(`by ear: "${primeira}"`);
  console.log('  then each move, a refused one told; keys with the focus away reach the game');
  return l;
}

// The letters' control: up to its largest size by pointer, kept over a
// reload, back to the fitted size by keyboard (Enter and Space on the
// focused button), each step said; then Ctrl+plus and Ctrl+0.
async function letras(pagina) {
  const fonte = () => pagina.avaliar(fonteDaTela);
  const inicial = await fonte();
  for (let i = 0; i < 9; i++) await pagina.clicar('#letra [aria-label="Aumentar a letra"]');
  await falado(pagina, (f) => f === 'Letra 400%');
  const maior = await fonte();
  assert.ok(maior >= 3.75 * inicial, `${maior} from ${inicial}`);
  const l = await primeiroMenu(pagina, url);
  assert.equal(await fonte(), maior, 'a reload lost the size');
  await falado(pagina, (f) => f.endsWith(MENU)); // the menu said, then the steps
  await pagina.avaliar(() =>
    document.querySelector('#letra [aria-label="Diminuir a letra"]').focus(),
  );
  for (let i = 0; i < 9; i++) await pagina.tecla(i % 2 ? 'Space' : 'Enter');
  await falado(pagina, (f) => f === 'Letra 100%');
  assert.equal(await fonte(), inicial);
  // Ctrl+plus, as the keyboard zooms: the letters grow on the screen.
  await pagina.avaliar(() => document.getElementById('entrada').focus());
  const pixelsDaLetra = async () =>
    (await fonte()) * (await pagina.avaliar(() => window.devicePixelRatio));
  const antes = await pixelsDaLetra();
  for (let i = 0; i < 5; i++) await pagina.ctrl('=');
  await falado(pagina, (f) => f === 'Letra 200%');
  assert.ok(
    (await pixelsDaLetra()) >= 1.8 * antes,
    `Ctrl+plus: ${await pixelsDaLetra()} from ${antes}`,
  );
  await pagina.ctrl('0');
  await falado(pagina, (f) => f === 'Letra 100%');
  assert.equal(await pixelsDaLetra(), antes, 'Ctrl+0');
  return l;
}

// Offline: once the service worker holds the site, the server goes away,
// and the page reloads and plays. Skipped, saying so, where no worker runs.
async function offline(pagina, t) {
  const ativo = await pagina.avaliar(() =>
    'serviceWorker' in navigator
      ? Promise.race([
          navigator.serviceWorker.ready.then(() => true),
          new Promise((r) => setTimeout(() => r(false), 10000)),
        ])
      : false,
  );
  if (!ativo) {
    t.skip('no service worker runs in this engine on 127.0.0.1');
    return;
  }
  await quando(
    () => pagina.avaliar(() => navigator.serviceWorker.controller !== null),
    10000,
    () => 'the service worker never took the page',
  );
  const porta = new URL(url).port;
  await ambiente.servidor.fechar();
  try {
    await primeiroMenu(pagina, url);
    await pagina.digitar('2');
    await pagina.tecla('Enter');
    const l = await repouso(pagina);
    assert.ok(
      l.some((x) => x.includes('MOVIMENTAR UMA SÓ PEÇA DE CADA VEZ.')),
      'offline: no rules',
    );
  } finally {
    ambiente.servidor = await servir(site, Number(porta));
  }
  console.log('offline: the server gone, the page reloaded and played (service worker)');
}

// A module or the game's wasm missing (a partial upload), or a module
// throwing as it runs, held back while keys are typed: the page says so,
// keeping them; once the file is mended, a key loads it again and the kept
// keys reach the game.
async function moduloFaltando(pagina, arquivo) {
  const soltar = ambiente.servidor.segurar([arquivo]);
  await pagina.redimensionar(1024, 768);
  await pagina.ir(url); // the new page there, its module held back
  const focada = () =>
    pagina.avaliar(() => document.activeElement?.id === 'entrada').catch(() => false);
  await quando(focada, 10000, () => 'no first paint');
  await pagina.digitar('1');
  await pagina.tecla('Enter');
  soltar();
  // Said above the page (a module), or on the screen (the game).
  const aviso = () =>
    pagina.avaliar(() => {
      const [a, tela] = [document.getElementById('aviso'), document.getElementById('tela')];
      const escrito = tela?.textContent ?? '';
      return a && !a.hidden ? a.textContent : escrito.slice(escrito.indexOf('Não foi possível'));
    });
  const dito = await aguardar(
    aviso,
    (t) => t.startsWith('Não foi possível carregar o jogo.'),
    5000,
    (t) => `the page said: "${t}"`,
  );
  Object.assign(ambiente.servidor.hospedeiro, { faltando: null, quebrados: null });
  // Once every request of the page has ended, as a person reads the words.
  const carregada = () => pagina.avaliar(() => document.readyState === 'complete');
  await quando(carregada, 5000, () => 'the page never finished loading');
  await pagina.tecla('Space');
  const ler = () => linhas(pagina).catch(() => ['']);
  await aguardar(
    ler,
    (l) => l.at(-1).endsWith('Argolas..:'),
    15000,
    (l) => `after: ${l.at(-1)}`,
  );
  console.log(`missing module: "${dito.slice(0, 60)}..."; back, a key: the kept keys played`);
}

// The window turned while the modules are held back: the first paint's
// layout follows it, then the page plays.
async function redimensionarCarregando(pagina) {
  const soltar = ambiente.servidor.segurar(['/principal.js']);
  try {
    await pagina.redimensionar(1024, 768);
    pagina.ir(url).catch(() => {}); // its load waits for the modules
    const medir = () =>
      pagina
        .avaliar(() => {
          const moldura = document.getElementById('moldura')?.getBoundingClientRect();
          const fonte = getComputedStyle(document.getElementById('terminal')).getPropertyValue(
            '--fonte',
          );
          return (
            document.querySelector('main.pronta') && [parseFloat(fonte), moldura.right, innerWidth]
          );
        })
        .catch(() => null);
    const [antes] = await quando(medir, 10000, () => 'no first paint');
    await pagina.redimensionar(560, 800);
    const depois = await aguardar(
      medir,
      (m) => m && m[0] < antes && m[1] <= m[2],
      5000,
      (m) => `font ${antes} then ${m}`,
    );
    assert.ok(await pagina.avaliar(() => !window.modeloDoJogo), 'the modules came too soon');
    soltar();
    await menuAberto(pagina);
    console.log(`a resize while loading: font ${antes} px, then ${depois[0]} px to fit`);
  } finally {
    soltar();
  }
}

// Hosts less polite than ours, each met on a first visit, with nothing
// kept: the wasm sent with a generic type, the wasm missing, and a
// redeploy on a host that lets browsers keep files for ten minutes.
async function hospedes(caso) {
  const baixados = (desde) =>
    doPagina(desde).filter((p) => p.caminho === '/torre-de-hanoi.wasm').length;

  await caso('host: the wasm as application/octet-stream plays, fetched once', () =>
    emVisita({ tipoWasm: 'application/octet-stream' }, async (pagina) => {
      const desde = ambiente.servidor.pedidos.length;
      const l = await primeiroMenu(pagina, url);
      assert.equal(baixados(desde), 1, 'the wasm was not fetched exactly once');
      console.log(`host: wasm as application/octet-stream: "${l.at(-1)}", the wasm fetched once`);
    }),
  );

  await caso('host: a wasm this engine cannot compile is said as such, with no retry', () =>
    emVisita({ quebrados: ['/torre-de-hanoi.wasm'] }, async (pagina) => {
      await pagina.ir(url);
      const dito = (l) => l.at(-1).startsWith(' Este navegador não consegue rodar o jogo.');
      const l = await aguardar(() => linhas(pagina), dito, 10000, String);
      await pagina.tecla('Space');
      await esperar(500);
      assert.deepEqual(await linhas(pagina), l, 'a key tried again');
    }),
  );

  // A deploy, a visit, a redeploy with a new module, and two loads.
  await caso('host: an update on a max-age host reaches the user whole', () =>
    emVisita({ copias: [''], maxAge: 600 }, atualizar),
  );
}

// A first visit in a browser context of its own (what goes wrong there is
// expected, not logged), on a host acting as `como` says, with the site
// first copied into each folder of `copias`, if given, of a new folder it
// serves. All is put back after `corpo(pagina, pasta)`.
async function emVisita({ copias, ...como }, corpo) {
  const h = ambiente.servidor.hospedeiro;
  const antes = { ...h };
  const pasta = copias && mkdtempSync(join(tmpdir(), 'torre-site-'));
  for (const dentro of copias ?? []) cpSync(site, join(pasta, dentro), { recursive: true });
  Object.assign(h, como, pasta ? { pasta } : {});
  // WebKit's driver has one page a browser: a browser of its own, then.
  const contexto = await (motor.navegador?.createBrowserContext() ?? abrirMotor('webkit'));
  try {
    return await corpo(await (contexto.pagina ?? motor.pagina)({ contexto }), pasta);
  } finally {
    await (contexto.fechar ?? contexto.close).call(contexto).catch(() => {});
    Object.assign(h, antes);
    if (pasta) rmSync(pasta, { recursive: true, force: true });
  }
}

async function atualizar(pagina, copia) {
  await primeiroMenu(pagina, url);
  await pagina.avaliar(() => caches.open('outro-app'));
  const antes = await cachesQuando(pagina, (c) => c.length === 2);
  novaVersao(copia);
  await primeiroMenu(pagina, url);
  const depois = await cachesQuando(
    pagina,
    (c) => c.includes('torre-de-hanoi-nova') && c.length === 2,
  );
  assert.deepEqual(depois, ['outro-app', 'torre-de-hanoi-nova']);
  await primeiroMenu(pagina, url);
  const carga = await pagina.avaliar(async () => (await fetch('carga.js')).text());
  assert.ok(carga.includes('nova versão'), 'the second load after the update is not new');
  console.log(`update on a max-age host: caches ${antes.join(', ')} -> ${depois.join(', ')};`);
  console.log('  the new cache holds the new files, and the second load shows them');
}

// The caches' names, once they are what `esperado` wants.
const cachesQuando = (pagina, esperado) =>
  aguardar(
    () =>
      pagina.avaliar(async () => {
        await navigator.serviceWorker.ready;
        return (await caches.keys()).sort();
      }),
    esperado,
    10000,
    (c) => `caches: ${c}`,
  );

// A redeploy of the site in `pasta`: a new carga.js, and the worker's version
// named "nova".
function novaVersao(pasta) {
  appendFileSync(join(pasta, 'carga.js'), '// nova versão\n');
  const sw = join(pasta, 'sw.js');
  writeFileSync(sw, readFileSync(sw, 'utf8').replace(/(\$\{PREFIXO\})[0-9a-f]+/, '$1nova'));
}

// Two copies of the site on one origin, /torre/ and /torre-beta/: each
// keeps a cache of its own, an update of one leaves the other's, and a
// cache named as the worker named it before folders were in the name goes
// with the first update of the copy whose page it holds.
async function duasCopias(pagina, origem) {
  const versao = (c) => c.replace(/^torre-de-hanoi-[0-9a-f]{16}(?=\/)/, 'torre-de-hanoi-V');
  const nomes = (c) => c.map(versao).sort();
  await pagina.ir(`${url}torre/carga.js`); // a page of the origin with no worker
  const hoje = 'torre-de-hanoi-0123456789abcdef';
  await pagina.avaliar(async (hoje) => {
    const cache = await caches.open(hoje);
    await cache.put(new Request('/torre/'), new Response('a página de hoje'));
  }, hoje);
  await primeiroMenu(pagina, `${url}torre-beta/`);
  let c = await cachesQuando(pagina, (c) => c.length === 2);
  assert.deepEqual(nomes(c), [hoje, 'torre-de-hanoi-V/torre-beta/']);
  await primeiroMenu(pagina, `${url}torre/`);
  c = await cachesQuando(pagina, (c) => c.length === 2 && !c.includes(hoje));
  assert.deepEqual(nomes(c), ['torre-de-hanoi-V/torre-beta/', 'torre-de-hanoi-V/torre/']);
  novaVersao(join(origem, 'torre-beta'));
  await primeiroMenu(pagina, `${url}torre-beta/`);
  c = await cachesQuando(
    pagina,
    (c) => c.includes('torre-de-hanoi-nova/torre-beta/') && c.length === 2,
  );
  assert.deepEqual(nomes(c), ['torre-de-hanoi-V/torre/', 'torre-de-hanoi-nova/torre-beta/']);
  console.log(`two copies on one origin: caches ${c.join(', ')}; today's name gone`);
}

// Opened as a file, and with JavaScript off, the page says why the game
// cannot start and what to do, instead of staying black.
async function semJogo(pagina) {
  const visivel = () => pagina.avaliar(() => document.body.innerText.trim());
  await pagina.ir(pathToFileURL(join(site, 'index.html')).href);
  const arquivo = await aguardar(visivel, (t) => t.includes('aberta como arquivo'), 5000, String);
  assert.match(arquivo, /python3 -m http\.server/);
  assert.match(arquivo, /instale o jogo no computador/);
  await pagina.p.setJavaScriptEnabled(false);
  await pagina.ir(url);
  const semScript = await visivel();
  assert.match(semScript, /^A Torre de Hanói precisa de JavaScript, que está desligado/);
  assert.match(semScript, /Ligue o JavaScript/);
  console.log(
    `as a file: "${arquivo.slice(0, 60)}..."; without JavaScript: "${semScript.slice(0, 50)}..."`,
  );
}

// The site's size, which the download on a school's network costs: the
// timings are the benchmark's (bench/run).
function tamanhos() {
  let gzip = 0;
  for (const a of readdirSync(site))
    gzip += gzipSync(readFileSync(join(site, a)), { level: 9 }).length;
  const wasm = statSync(join(site, 'torre-de-hanoi.wasm')).size;
  const kb = (n) => `${(n / 1024).toFixed(1)} KB`;
  assert.ok(gzip <= 64 * 1024, `the whole site is ${kb(gzip)} gzipped, over 64 KB`);
  assert.ok(wasm <= 64 * 1024, `the game's wasm is ${kb(wasm)}, over 64 KB`);
  console.log(
    `size: the whole site ${kb(gzip)} gzipped (<= 64 KB), the wasm ${kb(wasm)} (<= 64 KB)`,
  );
}

// All the first paint needs is in index.html: outside the template of what
// comes after it, no stylesheet and no script file; each inline script
// and style is allowed by its hash, and nothing by 'unsafe-inline'. That
// the page runs and shows at all shows the browser took the hashes.
function umaResposta() {
  const pagina = readFileSync(join(site, 'index.html'), 'utf8');
  const antes = pagina.replace(/<template[^]*?<\/template>/g, '');
  assert.doesNotMatch(antes, /<link[^>]*stylesheet|<script[^>]*\ssrc=/);
  const politica = pagina.match(/Content-Security-Policy"\s+content="([^"]*)"/)[1];
  assert.doesNotMatch(politica, /unsafe-inline/);
  const contagem = [];
  for (const elemento of ['script', 'style']) {
    const permitidos = politica.match(new RegExp(`${elemento}-src ([^;]*)`))[1].split(' ');
    const em = new RegExp(`<${elemento}>([^]*?)</${elemento}>`, 'g');
    const inline = [...antes.matchAll(em)].map(([, codigo]) => codigo);
    const hashes = inline.map((c) => `'sha256-${createHash('sha256').update(c).digest('base64')}'`);
    assert.deepEqual(
      permitidos.filter((x) => x.startsWith("'sha256-")),
      [...new Set(hashes)],
      elemento,
    );
    contagem.push(`${inline.length} inline ${elemento}s`);
  }
  console.log(`one response: ${contagem.join(' and ')}, each allowed by its hash`);
}

after(async () => {
  if (problemas.length) console.error(problemas.join('\n'));
  await ambiente.fechar();
});

test(`the page in ${motorNome}`, cenarios);
