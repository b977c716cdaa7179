// The page at the window sizes students really have, in chromium (touch
// emulated for phones and tablets):
//   node tests/web/leiaute.js
// At load, after the 8-disc list has scrolled the terminal, and after the
// device is turned and turned back: no page scroll, the largest font that
// fits (at least the table's), the terminal, the keys and the cursor in
// view, keys of 44x44 px at least, inputmode on touch, no layout shift up
// to the first menu, and the terminal's strings in Portuguese. Then the
// letters made larger with Ctrl+plus, and the game in forced colours.
import assert from 'node:assert/strict';
import { after, test } from 'node:test';
import { abrirSite } from './motor.js';
import { COLUNAS, LINHAS } from '../../web/dimensoes.js';
import {
  aguardar,
  quando,
  falado,
  linhas,
  menuAberto,
  primeiroMenu,
  quadro,
  responder,
  CONVITE,
} from './tela.js';

const TAMANHOS = [
  // width, height, touch, least font, keys beside the terminal, what it stands for
  [1366, 657, false, 16, null, 'Chromebook, bars off'],
  [1280, 633, false, 15, null, 'HD laptop'],
  [1024, 600, false, 14, null, 'netbook'],
  [740, 360, true, 10, true, 'phone sideways'],
  [844, 390, true, 11, true, 'phone sideways'],
  [360, 740, true, 12, false, 'phone upright'],
  [412, 915, true, 12, false, 'phone upright'],
  [1920, 960, false, 24, null, 'projector'],
  [768, 1024, true, 15, null, 'tablet upright'],
  [1024, 768, true, 15, null, 'tablet sideways'],
];

// Everything the checks need, read off the page at once.
const medir = () => {
  const caixa = (e) => {
    const r = document.querySelector(e).getBoundingClientRect();
    return { x: r.left, y: r.top, l: r.width, a: r.height };
  };
  const moldura = document.getElementById('moldura');
  const tela = caixa('#tela');
  const entrada = document.getElementById('entrada');
  return {
    janela: [document.documentElement.clientWidth, document.documentElement.clientHeight],
    rolagem: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
    fonte: parseFloat(
      getComputedStyle(document.getElementById('terminal')).getPropertyValue('--fonte'),
    ),
    dpr: window.devicePixelRatio,
    moldura: caixa('#moldura'),
    tela,
    deslocada: moldura.scrollLeft,
    cursor: ((c) => [c.left, c.top])(
      document.querySelector('#tela .cursor').getBoundingClientRect(),
    ),
    teclas: caixa('#controles'),
    botoes: [...document.querySelectorAll('#controles button')].map((b) => {
      const r = b.getBoundingClientRect();
      return [r.width, r.height];
    }),
    inputmode: entrada.getAttribute('inputmode'),
    rotulo: entrada.getAttribute('aria-label'),
    cls: window.deslocamentos,
  };
};

// The screen as printed: where it starts, how wide its 80 columns are, its
// font, its rows on the sheet and the last one, the keys' boxes.
const noPapel = (colunas) => {
  const tela = document.getElementById('tela');
  const filas = [...tela.children].filter((f) => f.getClientRects().length > 0);
  const { left, width } = tela.getBoundingClientRect();
  return {
    esquerda: left,
    oitenta: (width * colunas) / Math.max(...filas.map((f) => f.textContent.length)),
    fonte: parseFloat(getComputedStyle(tela).fontSize),
    filas: filas.length,
    ultima: filas.at(-1).textContent.trimEnd(),
    teclas: document.getElementById('controles').getClientRects().length,
  };
};

const dentro = (c, [l, a], nome) =>
  assert.ok(
    c.x >= -0.5 && c.y >= -0.5 && c.x + c.l <= l + 0.5 && c.y + c.a <= a + 0.5,
    `${nome} out of the ${l}x${a} window: ${JSON.stringify(c)}`,
  );

function conferir(m, [largura, altura, , minima, aoLado], momento) {
  const onde = `${largura}x${altura}, ${momento}`;
  assert.deepEqual(m.janela, [largura, altura]);
  assert.deepEqual(m.rolagem, m.janela, `${onde}: the page scrolls`);
  assert.ok(m.fonte >= minima, `${onde}: font ${m.fonte} < ${minima}`);
  dentro(m.moldura, m.janela, `${onde}: the terminal's frame`);
  dentro(m.teclas, m.janela, `${onde}: the keys and the letters' control`);
  if (m.tela.l > m.moldura.l + 0.5 || m.tela.a > m.moldura.a + 0.5) {
    assert.ok(m.fonte >= 12, `${onde}: the frame pans at font ${m.fonte}`);
  } else {
    dentro(m.tela, m.janela, `${onde}: the terminal`);
  }
  const { x, y, l, a } = m.moldura;
  const [cx, cy] = m.cursor;
  assert.ok(cx >= x && cx < x + l && cy >= y && cy < y + a, `${onde}: cursor at ${m.cursor}`);
  for (const [bl, ba] of m.botoes) assert.ok(bl >= 44 && ba >= 44, `${onde}: a key ${bl}x${ba}`);
  assert.equal(m.inputmode, 'none', `${onde}: inputmode`);
  if (aoLado !== null) {
    assert.equal(m.teclas.x >= m.moldura.x + m.moldura.l, aoLado, `${onde}: keys beside`);
  }
}

const { url, motor, fechar, servidor } = await abrirSite('chromium');
after(fechar);
const px = (c) => `${c.l.toFixed(0)}x${c.a.toFixed(0)}+${c.x.toFixed(0)}+${c.y.toFixed(0)}`;
console.log(
  `    ${'window'.padEnd(10)} ${'stands for'.padEnd(21)} font  ${'terminal (frame)'.padEnd(
    24,
  )} ${'keys'.padEnd(18)} CLS`,
);

// A page of its own, a first visit; closed after `corpo`.
async function emContexto(opcoes, corpo) {
  const contexto = await motor.navegador.createBrowserContext();
  try {
    const pagina = await motor.pagina({ ...opcoes, contexto });
    await pagina.p.evaluateOnNewDocument(() => {
      window.deslocamentos = 0; // the layout shift, as Lighthouse counts it
      new PerformanceObserver((lista) => {
        for (const e of lista.getEntries()) if (!e.hadRecentInput) window.deslocamentos += e.value;
      }).observe({ type: 'layout-shift', buffered: true });
    });
    await corpo(pagina, await pagina.p.createCDPSession());
  } finally {
    await contexto.close();
  }
}

// One test a window size: at load, a long answer typed and erased, after
// the 8-disc list, turned and turned back.
for (const tamanho of TAMANHOS) {
  const [largura, altura, toque, , , nome] = tamanho;
  test(`${largura}x${altura} ${nome}`, () =>
    emContexto({ largura, altura, toque }, async (pagina, cdp) => {
      let l = await primeiroMenu(pagina, url);
      let m = await pagina.avaliar(medir);
      conferir(m, tamanho, 'at load');
      assert.equal(m.deslocada, 0, `${largura}x${altura}: the frame does not start at column 0`);
      assert.ok(m.cls <= 0.01, `${largura}x${altura}: layout shift ${m.cls}`);
      assert.equal(m.rotulo, 'Entrada do terminal');
      if (m.tela.l <= m.moldura.l + 0.5) {
        // The screen one pixel of font larger, in proportion.
        const maior = await pagina.avaliar((fonte) => {
          const estilo = document.getElementById('terminal').style;
          const antes = ['--largura', '--altura'].map((v) => estilo.getPropertyValue(v));
          antes.forEach((valor, k) =>
            estilo.setProperty(
              k ? '--altura' : '--largura',
              `${(parseFloat(valor) * (fonte + 1)) / fonte}px`,
            ),
          );
          const fora = ['#tela', '#teclas'].some((e) => {
            const r = document.querySelector(e).getBoundingClientRect();
            const d = document.documentElement;
            return r.left < 0 || r.top < 0 || r.right > d.clientWidth || r.bottom > d.clientHeight;
          });
          antes.forEach((valor, k) => estilo.setProperty(k ? '--altura' : '--largura', valor));
          return !fora;
        }, m.fonte);
        assert.ok(!maior, `${largura}x${altura}: font ${m.fonte} + 1 would fit too`);
      }
      const telaVista = m.tela.l > m.moldura.l + 0.5 ? ` (${m.tela.l.toFixed(0)} wide, pans)` : '';
      console.log(
        `    ${`${largura}x${altura}`.padEnd(10)} ${nome.padEnd(21)} ${String(m.fonte).padEnd(5)} ${(
          px(m.moldura) + telaVista
        ).padEnd(24)} ${px(m.teclas).padEnd(18)} ${m.cls.toFixed(3)}`,
      );

      // A long answer takes the cursor to column 75; Ctrl-U brings it back.
      await pagina.digitar('1'.repeat(60));
      await quadro(pagina); // drawn, and the frame following the cursor
      conferir(await pagina.avaliar(medir), tamanho, 'a long answer typed');
      await pagina.ctrl('u');
      await quadro(pagina);
      conferir(await pagina.avaliar(medir), tamanho, 'the long answer erased');

      // The 8-disc list scrolls the terminal by 255 moves.
      for (const resposta of ['3', '8', '1']) {
        l = await responder(pagina, l, resposta);
      }
      assert.equal(l.at(-1), CONVITE);
      conferir(await pagina.avaliar(medir), tamanho, 'after the 8-disc list');
      // On paper: the screen's last 25 rows, its 80 columns within an A4
      // sheet's width (718 px between its margins), legible, no keys.
      await pagina.avaliar(() => dispatchEvent(new Event('beforeprint'))); // as a print begins
      await pagina.p.emulateMediaType('print');
      const papel = await pagina.avaliar(noPapel, COLUNAS);
      await pagina.p.emulateMediaType(null);
      const impressa = `${largura}x${altura}, printed: ${JSON.stringify(papel)}`;
      assert.ok(papel.esquerda >= 0 && papel.oitenta <= 718 && papel.fonte >= 12, impressa);
      assert.deepEqual([papel.filas, papel.ultima, papel.teclas], [25, CONVITE, 0], impressa);

      // Turned, and back; the page adjusts on the resize event, before the
      // next frame.
      const virar = async (l, a) => {
        await pagina.p.setViewport({ width: l, height: a, isMobile: toque, hasTouch: toque });
        await quadro(pagina);
        return pagina.avaliar(medir);
      };
      const virado = TAMANHOS.find((t) => t[0] === altura && t[1] === largura);
      conferir(
        await virar(altura, largura),
        [altura, largura, toque, virado?.[3] ?? 0, virado?.[4] ?? null],
        'turned',
      );
      conferir(await virar(largura, altura), tamanho, 'turned back');

      // A finger drags the rows above the screen into view, and the pause
      // still waits: a drag is no key.
      if (toque) {
        const topo = () => pagina.avaliar(() => document.getElementById('tela').scrollTop);
        const fim = await topo();
        const { x, y } = m.moldura;
        const tocar = (type, ...touchPoints) =>
          cdp.send('Input.dispatchTouchEvent', { type, touchPoints });
        const dedo = async (dx, dy) => {
          for (let i = 0; i <= 10; i++)
            await tocar(i ? 'touchMove' : 'touchStart', {
              x: x + 300 + dx * i,
              y: y + 40 + dy * i,
            });
          await tocar('touchEnd');
        };
        await dedo(0, 20);
        await aguardar(
          topo,
          (t) => t < fim,
          2000,
          (t) => `${largura}x${altura}: touch at ${t} from ${fim}`,
        );
        assert.equal(
          (await linhas(pagina)).at(-1),
          CONVITE,
          `${largura}x${altura}: a drag ended the pause`,
        );
        // Sideways, where the frame pans.
        if (m.tela.l > m.moldura.l + 0.5) {
          await pagina.avaliar(() => (document.getElementById('moldura').scrollLeft = 0));
          await dedo(-20, 0);
          const lado = () =>
            pagina.avaliar(() => document.getElementById('moldura').scrollLeft > 0);
          await quando(lado, 2000, () => `${largura}x${altura}: no sideways pan`);
        }
      }
    }));
}

// Ctrl with a key as the keyboard sends it: a real key event, which would
// zoom the page were it not taken.
const CTRL_MAIS = ['=', 'Equal', 187];
const CTRL_ZERO = ['0', 'Digit0', 48];
async function ctrlReal(cdp, [key, code, tecla], vezes = 1) {
  for (let i = 0; i < vezes; i++) {
    for (const type of ['rawKeyDown', 'keyUp']) {
      const codigos = { windowsVirtualKeyCode: tecla, nativeVirtualKeyCode: tecla };
      await cdp.send('Input.dispatchKeyEvent', { type, modifiers: 2, key, code, ...codigos });
    }
  }
}
const pixelsDaLetra = (m) => m.fonte * m.dpr; // the letters' size in device pixels

for (const [largura, altura, toque, nome] of [
  [1366, 657, false, 'Chromebook'],
  [360, 740, true, 'phone upright'],
]) {
  const tamanho = [largura, altura, toque, 0, null];
  test(`${largura}x${altura} ${nome}: Ctrl+plus to 200% and 300%, a reload, Ctrl+0`, () =>
    emContexto({ largura, altura, toque }, async (pagina, cdp) => {
      const l = await primeiroMenu(pagina, url);
      const inicial = await pagina.avaliar(medir);
      const apos = async (teclas, vezes) => {
        await ctrlReal(cdp, teclas, vezes);
        await quadro(pagina);
        return pagina.avaliar(medir);
      };
      let m = await apos(CTRL_MAIS, 5);
      assert.ok(
        pixelsDaLetra(m) >= 1.8 * pixelsDaLetra(inicial),
        `200%: ${m.fonte} from ${inicial.fonte}`,
      );
      conferir(m, tamanho, '200%');
      m = await apos(CTRL_MAIS, 2);
      assert.ok(
        pixelsDaLetra(m) >= 2.6 * pixelsDaLetra(inicial),
        `300%: ${m.fonte} from ${inicial.fonte}`,
      );
      conferir(m, tamanho, '300%');
      // The wheel pans the frame both ways, Shift+wheel sideways.
      await pagina.p.mouse.move(m.moldura.x + 100, m.moldura.y + 100);
      for (const delta of [{ deltaX: 200 }, { deltaY: 200 }]) await pagina.p.mouse.wheel(delta);
      const rolada = () =>
        pagina.avaliar(
          ({ scrollLeft, scrollTop } = document.getElementById('moldura')) =>
            Math.min(scrollLeft, scrollTop) > 0,
        );
      await quando(rolada, 2000, () => '300%: the wheel did not pan the frame both ways');
      await falado(pagina, (f) => f === 'Letra 300%');
      await responder(pagina, l, '1');
      conferir(await pagina.avaliar(medir), tamanho, '300%, the ring prompt');
      await primeiroMenu(pagina, url);
      const recarregada = await pagina.avaliar(medir);
      assert.equal(recarregada.fonte, m.fonte, 'a reload lost the size');
      conferir(recarregada, tamanho, '300%, reloaded');
      m = await apos(CTRL_ZERO, 1);
      assert.deepEqual([m.fonte, m.dpr], [inicial.fonte, inicial.dpr], 'Ctrl+0');
    }));
}

// A screenshot of the box of `seletor`, as base64 PNG.
async function foto(pagina, seletor = '#tela') {
  const clip = await pagina.avaliar((seletor) => {
    const r = document.querySelector(seletor).getBoundingClientRect();
    return { x: r.left, y: r.top, width: r.width, height: r.height };
  }, seletor);
  return pagina.p.screenshot({ clip, encoding: 'base64' });
}

// Screenshots of the terminal read by the page itself: for each, which of
// the 25 rows carry ink (a pixel unlike the top right one, the background)
// and how much of the cell `[x, y]` is painted; and the share of pixels
// that differ between the first two.
const tinta = (pagina, fotos, celula = [0, 0]) =>
  pagina.avaliar(
    async (fotos, [cx, cy], linhas) => {
      const imagens = await Promise.all(
        fotos.map(async (png) => {
          const bytes = Uint8Array.from(atob(png), (c) => c.charCodeAt(0));
          const imagem = await createImageBitmap(new Blob([bytes], { type: 'image/png' }));
          const { width: l, height: a } = imagem;
          const contexto = new OffscreenCanvas(l, a).getContext('2d');
          contexto.drawImage(imagem, 0, 0);
          return { l, a, dados: contexto.getImageData(0, 0, l, a).data };
        }),
      );
      const telas = imagens.map(({ l, a, dados }) => {
        const cor = (x, y) => dados.slice((y * l + x) * 4, (y * l + x) * 4 + 3).join();
        const fundo = cor(l - 1, 0);
        const [larga, alta] = [l / 80, a / linhas];
        const pintados = (x0, y0, x1, y1) => {
          let n = 0;
          for (let y = Math.round(y0); y < Math.round(y1); y++) {
            for (let x = Math.round(x0); x < Math.round(x1); x++) n += cor(x, y) !== fundo;
          }
          return n;
        };
        const comTinta = [];
        for (let r = 0; r < linhas; r++)
          if (pintados(0, r * alta, l, (r + 1) * alta)) comTinta.push(r);
        const celula = pintados(cx * larga, cy * alta, (cx + 1) * larga, (cy + 1) * alta);
        return { linhas: comTinta, cursor: celula / (Math.round(larga) * Math.round(alta)) };
      });
      const [x, y] = imagens;
      let diferentes = 0;
      if (y && x.l === y.l && x.a === y.a) {
        for (let i = 0; i < x.dados.length; i += 4) {
          const canal = (k) => Math.abs(x.dados[i + k] - y.dados[i + k]) > 64;
          diferentes += canal(0) || canal(1) || canal(2);
        }
      }
      const diferenca = !y ? 0 : x.l === y.l && x.a === y.a ? diferentes / (x.l * x.a) : 1;
      return { telas, diferenca };
    },
    fotos,
    celula,
    LINHAS,
  );

test('1024x768 in forced colours: the cursor shows, the input is not painted, the same rows', () =>
  emContexto({ largura: 1024, altura: 768 }, async (pagina, cdp) => {
    const forcadas = (value) =>
      cdp.send('Emulation.setEmulatedMedia', { features: [{ name: 'forced-colors', value }] });
    let l = await primeiroMenu(pagina, url);
    for (const [tela, respostas] of [
      ['the menu', []],
      ['the ring prompt', ['1']],
      ['a board after a move', ['3', '2']],
    ]) {
      for (const r of respostas) l = await responder(pagina, l, r);
      const cursor = await pagina.avaliar(() => [window.modeloDoJogo.x, window.modeloDoJogo.y]);
      const normal = await foto(pagina);
      await forcadas('active');
      const {
        telas: [sem, com],
      } = await tinta(pagina, [normal, await foto(pagina)], cursor);
      const opacidade = await pagina.avaliar(
        () => getComputedStyle(document.getElementById('entrada')).opacity,
      );
      await forcadas('none');
      assert.equal(opacidade, '0', `${tela}: the terminal's input painted`);
      assert.deepEqual(com.linhas, sem.linhas, `${tela}: rows with text`);
      for (const [nome, { cursor }] of Object.entries({ normal: sem, forcada: com })) {
        assert.ok(cursor >= 0.5, `${tela}, ${nome}: ${Math.round(cursor * 100)}% of the cursor`);
      }
    }
  }));

// The game's first screen before the page's modules: with them and the
// game held back, the page shows it, and has had its first contentful
// paint, before the modules run.
async function segurando(pagina, corpo) {
  const soltar = servidor.segurar(['/principal.js', '/torre-de-hanoi.js', '/torre-de-hanoi.wasm']);
  const ida = pagina.p.goto(url).catch(() => {}); // its load waits for the modules
  try {
    await quando(
      () =>
        pagina
          .avaliar(() => {
            const tela = document.getElementById('tela');
            const vista = getComputedStyle(document.querySelector('main')).visibility === 'visible';
            const pintada = performance.getEntriesByName('first-contentful-paint').length > 0;
            return tela && vista && pintada && !window.modeloDoJogo;
          })
          .catch(() => false), // the page still coming
      10000,
      () => 'no first screen painted before the modules',
    );
    await corpo(soltar);
  } finally {
    soltar();
    servidor.hospedeiro.segurados = null;
    await ida;
  }
}

for (const [largura, altura, toque] of [
  [800, 600, false],
  [1920, 1080, false],
  [360, 740, true],
]) {
  test(`${largura}x${altura}: the first menu at the first paint, then drawn in place`, () =>
    emContexto({ largura, altura, toque }, (pagina) =>
      segurando(pagina, async (soltar) => {
        // Every change to the screen's rows from now on.
        const pintada = await pagina.avaliar(() => {
          const tela = document.getElementById('tela');
          window.mudancas = 0;
          new MutationObserver((registros) => (window.mudancas += registros.length)).observe(tela, {
            subtree: true,
            childList: true,
            characterData: true,
            attributes: true,
          });
          window.telaPintada = tela;
          return [...tela.children].map((f) => f.textContent);
        });
        const antes = await foto(pagina, '#moldura');
        soltar();
        const l = await menuAberto(pagina);
        await quadro(pagina);
        // Made by the build from the game's own output, it is the game's
        // screen, which the game's first write leaves as it is.
        assert.deepEqual(
          pintada.slice(0, l.length).map((x) => x.trimEnd()),
          l,
        );
        const { diferenca } = await tinta(pagina, [antes, await foto(pagina, '#moldura')]);
        console.log(
          `    ${largura}x${altura}: ${(diferenca * 100).toFixed(2)}% of the frame changed`,
        );
        const depois = await pagina.avaliar(() => ({
          mesma: document.getElementById('tela') === window.telaPintada,
          mudancas: window.mudancas,
          cls: window.deslocamentos,
        }));
        assert.deepEqual(depois, { mesma: true, mudancas: 0, cls: 0 });
        assert.equal(diferenca, 0, `${(diferenca * 100).toFixed(1)}% of the pixels changed`);
      }),
    ));
}

// A tap on an on-screen key leaves the focus where typed keys reach the
// game; a paste is text, its ^U and ^C dropped.
test('800x600: a tap, keys, inserted text and a paste on the first paint reach the game', () =>
  emContexto({ largura: 800, altura: 600 }, (pagina, cdp) =>
    segurando(pagina, async (soltar) => {
      await pagina.clicar('#teclas button[data-tecla="1"]');
      await pagina.tecla('Backspace');
      await cdp.send('Input.insertText', { text: '3' });
      await pagina.tecla('Enter');
      await pagina.colar('\x15\x032\r1\r');
      soltar();
      await menuAberto(pagina);
      await aguardar(
        () => linhas(pagina),
        (l) => l.at(-1) === CONVITE && l.filter((x) => x.startsWith(' Mover disco')).length === 3,
        10000,
        (l) => `not the 2-disc list: ${l.slice(-4).join(' / ')}`,
      );
    }),
  ));
