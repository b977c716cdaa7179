// The web page's speed and memory, in headless Chromium on 127.0.0.1 with
// the site served gzipped, as a person meets it:
//   node bench/pagina.js [SITE ...]          (default: build-web/site)
// Several sites (a before and an after) are measured side by side, their
// loads alternated, so that they share the machine's mood. Lighthouse also
// measures the floor: a page made here of the last site's first screen
// alone (its rows' text in a <pre>, no script, no style, no other file),
// so that the site's First Contentful Paint is told as a ratio to what no
// page of this kind can beat. The first answer is measured on a slow phone's
// model: the menu answered as soon as it shows, the time and the bytes
// until the game's next screen. Prints one table, the targets against
// the last site (against the first, where a figure is a ratio); exits 0
// whatever it finds.
import { mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { abrirMotor } from '../tests/web/motor.js';
import { servir } from '../tests/web/servidor.js';
import { farol } from '../tests/web/farol.js';
import { esperar, raiz, MENU } from '../tests/web/tela.js';

const CARGAS = 11;
const RESPOSTAS = 7;
const FAROIS = 5;
// A slow phone: 150 ms round trip, 1.6 Mbit/s down, 750 kbit/s up, its
// processor 4 times slower than this machine's.
const CELULAR = { latency: 150, downloadThroughput: 200000, uploadThroughput: 93750 };
const JANELAS = [
  [800, 600, 250],
  [1920, 1080, 270],
];
// Headless Chromium opens its address bar's popup in every new window,
// about 170 ms on 2 cores that are not the page's.
const SEM_POPUP = '--disable-features=WebUIOmniboxPopup,WebUIOmniboxFullPopup,WebUIOmniboxAimPopup';

const mediana = (valores) => [...valores].sort((a, b) => a - b)[Math.floor(valores.length / 2)];

// Milliseconds from the start of the navigation to the frame after the
// first menu is shown, whatever draws it (the page's own first screen or
// an older site's terminal emulator): a first visit, in a window opened
// 1.5 s before, as a person's window already is.
async function ateOPrimeiroMenu(motor, url, largura, altura) {
  const contexto = await motor.navegador.createBrowserContext();
  const { p } = await motor.pagina({ largura, altura, contexto });
  // Seen as it comes into the page, shown, then the next frame.
  await p.evaluateOnNewDocument((menu) => {
    const observador = new MutationObserver(() => {
      const telas = document.querySelectorAll('main.pronta #tela, main.pronta .xterm-rows');
      const texto = [...telas].map((t) => t.textContent.replaceAll('\u00a0', ' ')).join('');
      if (!texto.includes(menu)) return;
      observador.disconnect();
      requestAnimationFrame(() => (window.primeiroMenu = performance.now()));
    });
    const tudo = { childList: true, subtree: true, characterData: true, attributes: true };
    observador.observe(document, tudo);
  }, MENU);
  await esperar(1500);
  await p.goto(url, { waitUntil: 'domcontentloaded' });
  await p.waitForFunction(() => window.primeiroMenu, { timeout: 10000 });
  const ms = await p.evaluate(() => window.primeiroMenu);
  await contexto.close();
  return ms;
}

// The first answer: on the slow phone's model, a first visit in a fresh
// context, "1" and Enter typed as soon as the menu shows; the
// milliseconds from the start of the navigation until the ring prompt is
// on the page, and the bytes downloaded by then (every response's size
// on the wire, the page's own included).
async function primeiraResposta(motor, url) {
  const contexto = await motor.navegador.createBrowserContext();
  const { p } = await motor.pagina({ largura: 360, altura: 740, toque: true, contexto });
  const cdp = await p.createCDPSession();
  await cdp.send('Network.enable');
  await cdp.send('Network.emulateNetworkConditions', { offline: false, ...CELULAR });
  await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
  await p.evaluateOnNewDocument((menu) => {
    const texto = () => document.querySelector('main')?.textContent ?? '';
    const observador = new MutationObserver(() => {
      if (!window.menuVisto && document.querySelector('main.pronta') && texto().includes(menu)) {
        window.menuVisto = true;
      }
      if (!texto().includes('Argolas')) return;
      observador.disconnect();
      const agora = performance.now();
      const [navegacao] = performance.getEntriesByType('navigation');
      const recursos = performance
        .getEntriesByType('resource')
        .filter((r) => r.responseEnd <= agora);
      const bytes = recursos.reduce((soma, r) => soma + r.transferSize, navegacao.transferSize);
      window.resposta = { ms: agora, bytes };
    });
    observador.observe(document, {
      childList: true,
      subtree: true,
      characterData: true,
      attributes: true,
    });
  }, MENU);
  await esperar(1500);
  await p.goto(url, { waitUntil: 'domcontentloaded' });
  await p.waitForFunction(() => window.menuVisto, { polling: 'raf', timeout: 30000 });
  await p.keyboard.type('1');
  await p.keyboard.press('Enter');
  await p.waitForFunction(() => window.resposta, { timeout: 60000 });
  const resposta = await p.evaluate(() => window.resposta);
  await contexto.close();
  return resposta;
}

// The site's files, gzip -9 each, as a school's network downloads them.
const tamanho = (pasta) =>
  readdirSync(pasta).reduce(
    (soma, a) => soma + gzipSync(readFileSync(join(pasta, a)), { level: 9 }).length,
    0,
  );

// The JS heap's growth from the 5th to the 50th game in one page: each
// game left at the menu (5, Enter) and the next started with a key. The
// screen is read as any version of the page shows it, as text.
async function crescimentoDoHeap(motor, url) {
  const { p } = await motor.pagina();
  const cdp = await p.createCDPSession();
  const heap = async () => {
    await cdp.send('HeapProfiler.collectGarbage');
    return (await cdp.send('Runtime.getHeapUsage')).usedSize;
  };
  const mostra = (texto, sem) =>
    p.waitForFunction(
      (texto, sem) => {
        // The screen's rows and model, whichever version of the page has them.
        const tela = document.querySelector('#tela, .xterm-rows')?.textContent ?? '';
        const modelo = window.modeloDoJogo ?? window.terminalDoJogo;
        return modelo && tela.includes(texto) && !(sem && tela.includes(sem));
      },
      { timeout: 10000 },
      texto,
      sem,
    );
  await p.goto(url, { waitUntil: 'domcontentloaded' });
  await mostra(MENU, 'Fim do jogo');
  let depoisDoQuinto = 0;
  for (let jogo = 1; jogo <= 50; jogo++) {
    await p.keyboard.type('5');
    await p.keyboard.press('Enter');
    await mostra('Fim do jogo');
    if (jogo === 5) depoisDoQuinto = await heap();
    await p.keyboard.press(' ');
    await mostra(MENU, 'Fim do jogo');
  }
  const crescimento = (await heap()) - depoisDoQuinto;
  await p.close();
  return crescimento;
}

// The floor page, in a folder of its own, from the site in `pasta`: its
// screen's rows as one <pre>.
function piso(pasta) {
  const pagina = readFileSync(join(pasta, 'index.html'), 'utf8');
  const inicio = pagina.indexOf('<div id="tela">');
  if (inicio < 0) throw new Error(`${pasta}/index.html has no first screen`);
  const tela = pagina.slice(
    inicio + '<div id="tela">'.length,
    pagina.indexOf('</div></div>', inicio),
  );
  const linhas = tela.split('</div>').map((l) => l.replace(/<[^>]*>/g, ''));
  const chao = mkdtempSync(join(tmpdir(), 'torre-piso-'));
  writeFileSync(
    join(chao, 'index.html'),
    '<!doctype html><html lang="pt-BR"><head><meta charset="utf-8" />' +
      '<meta name="viewport" content="width=device-width, initial-scale=1" />' +
      `<title>Torre de Hanói</title></head><body><pre>${linhas.join('\n')}</pre></body></html>`,
  );
  return chao;
}

const pastas = process.argv.slice(2);
if (pastas.length === 0) pastas.push(join(raiz, 'build-web', 'site'));
const servidores = await Promise.all(pastas.map((pasta) => servir(resolve(pasta))));
const pastaDoPiso = piso(pastas.at(-1));
const doPiso = await servir(pastaDoPiso);
const motor = await abrirMotor('chromium', [SEM_POPUP]);
try {
  const linhas = [];
  for (const [largura, altura, alvo] of JANELAS) {
    const tempos = servidores.map(() => []);
    for (let i = 0; i < CARGAS; i++) {
      for (const [k, { url }] of servidores.entries()) {
        tempos[k].push(await ateOPrimeiroMenu(motor, url, largura, altura));
      }
    }
    const ms = tempos.map(mediana);
    linhas.push([
      `first menu at ${largura}x${altura}, median of ${CARGAS}`,
      ms.map((t) => `${t.toFixed(0)} ms`),
      `<= ${alvo} ms`,
      ms.at(-1) <= alvo,
    ]);
  }
  const respostas = servidores.map(() => []);
  for (let i = 0; i < RESPOSTAS; i++) {
    for (const [k, { url }] of servidores.entries())
      respostas[k].push(await primeiraResposta(motor, url));
  }
  const resposta = respostas.map((r) => mediana(r.map((x) => x.ms)));
  const bytes = respostas.map((r) => mediana(r.map((x) => x.bytes)));
  const kb = (b) => `${(b / 1024).toFixed(1)} KB`;
  const razao = resposta.at(-1) / resposta[0];
  linhas.push(
    [
      `first answer, slow phone, median of ${RESPOSTAS}`,
      resposta.map((t) => `${t.toFixed(0)} ms`),
      pastas.length > 1 ? `<= 0.70x` : '',
      pastas.length > 1 ? razao <= 0.7 : true,
    ],
    [`bytes downloaded by the first answer`, bytes.map(kb), '<= 45 KB', bytes.at(-1) <= 45 * 1024],
    ['the site, gzip -9 of every file', pastas.map((p) => kb(tamanho(p))), '<= 64 KB'].concat([
      tamanho(pastas.at(-1)) <= 64 * 1024,
    ]),
  );
  if (pastas.length > 1)
    console.log(`    first answer: the last site at ${razao.toFixed(2)}x the first's`);
  const comPiso = servidores.concat([doPiso]);
  const relatorios = comPiso.map(() => []);
  for (let i = 0; i < FAROIS; i++) {
    for (const [k, { url }] of comPiso.entries()) {
      relatorios[k].push(await farol(motor, url, 'mobile'));
    }
  }
  const fcpDoPiso = mediana(
    relatorios.pop().map((r) => r.audits['first-contentful-paint'].numericValue),
  );
  const doFarol = (ler) => relatorios.map((r) => mediana(r.map(ler)));
  const auditoria = (id) => doFarol((r) => r.audits[id].numericValue);
  const fcp = auditoria('first-contentful-paint');
  const lcp = doFarol(
    (r) =>
      r.audits['largest-contentful-paint'].numericValue -
      r.audits['first-contentful-paint'].numericValue,
  );
  const tbt = auditoria('total-blocking-time');
  const cem = relatorios.map((r) => r.filter((x) => x.categories.performance.score === 1).length);
  const cls = auditoria('cumulative-layout-shift');
  const ms = (valores) => valores.map((t) => `${t.toFixed(0)} ms`);
  linhas.push(
    [
      `mobile First Contentful Paint, median of ${FAROIS}`,
      ms(fcp),
      '<= 1000 ms',
      fcp.at(-1) <= 1000,
    ],
    [
      `mobile FCP / the floor's (${fcpDoPiso.toFixed(0)} ms)`,
      fcp.map((t) => `${(t / fcpDoPiso).toFixed(2)}x`),
      '<= 1.12x',
      fcp.at(-1) / fcpDoPiso <= 1.12,
    ],
    [`mobile LCP after FCP, median of ${FAROIS}`, ms(lcp), '<= 50 ms', lcp.at(-1) <= 50],
    [`mobile Total Blocking Time, median of ${FAROIS}`, ms(tbt), '<= 50 ms', tbt.at(-1) <= 50],
    [`mobile runs scoring performance 100, of ${FAROIS}`, cem.map(String), '>= 5', cem.at(-1) >= 5],
    [`mobile Cumulative Layout Shift, median`, cls.map((c) => c.toFixed(3))].concat([
      '0',
      cls.at(-1) === 0,
    ]),
  );
  const heap = [];
  for (const { url } of servidores) heap.push(await crescimentoDoHeap(motor, url));
  linhas.push([
    'JS heap, game 50 vs game 5',
    heap.map((b) => `${(b / 1048576).toFixed(2)} MB`),
    '<= 2 MB',
    heap.at(-1) <= 2 * 1048576,
  ]);

  if (pastas.length > 1) console.log(pastas.map((p, k) => `    site ${k + 1}: ${p}`).join('\n'));
  const cabecalho = pastas.length > 1 ? pastas.map((_, k) => `site ${k + 1}`) : ['value'];
  const coluna = (valores) => valores.map((v) => v.padStart(10)).join(' ');
  console.log(`    ${'figure'.padEnd(44)} ${coluna(cabecalho)}  ${'target'.padEnd(10)} holds`);
  for (const [nome, valores, alvo, vale] of linhas) {
    console.log(
      `    ${nome.padEnd(44)} ${coluna(valores)}  ${alvo.padEnd(10)} ${vale ? 'yes' : 'NO'}`,
    );
  }
} finally {
  await motor.fechar();
  for (const s of servidores.concat([doPiso])) await s.fechar();
  rmSync(pastaDoPiso, { recursive: true, force: true });
}
