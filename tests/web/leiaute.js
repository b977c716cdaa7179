// The page at the window sizes students really have, in chromium (touch
// emulated for phones and tablets):
//   node tests/web/leiaute.js
// At load, after the 8-disc list has scrolled the terminal, and after the
// device is turned and turned back: no page scroll, the largest font that
// fits (at least the table's), the terminal, the keys and the cursor in
// view, keys of 44x44 px at least, inputmode on touch, no layout shift up
// to the first menu, and the terminal's strings in Portuguese.
import assert from 'node:assert/strict';
import { after, test } from 'node:test';
import { abrirSite } from './motor.js';
import { primeiroMenu, responder, CONVITE } from './tela.js';

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
  const t = window.terminalDoJogo;
  const moldura = document.getElementById('moldura');
  const tela = caixa('.xterm-screen');
  return {
    janela: [document.documentElement.clientWidth, document.documentElement.clientHeight],
    rolagem: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
    fonte: t.options.fontSize,
    moldura: caixa('#moldura'),
    tela,
    deslocada: moldura.scrollLeft,
    cursor: tela.x + (t.buffer.active.cursorX * tela.l) / t.cols,
    teclas: caixa('#teclas'),
    botoes: [...document.querySelectorAll('#teclas button')].map((b) => {
      const r = b.getBoundingClientRect();
      return [r.width, r.height];
    }),
    inputmode: t.textarea.getAttribute('inputmode'),
    rotulo: t.textarea.getAttribute('aria-label'),
    cls: window.deslocamentos,
  };
};

const dentro = (c, [l, a], nome) =>
  assert.ok(
    c.x >= -0.5 && c.y >= -0.5 && c.x + c.l <= l + 0.5 && c.y + c.a <= a + 0.5,
    `${nome} out of the ${l}x${a} window: ${JSON.stringify(c)}`,
  );

function conferir(m, [largura, altura, toque, minima, aoLado], momento) {
  const onde = `${largura}x${altura}, ${momento}`;
  assert.deepEqual(m.janela, [largura, altura]);
  assert.deepEqual(m.rolagem, m.janela, `${onde}: the page scrolls`);
  assert.ok(m.fonte >= minima, `${onde}: font ${m.fonte} < ${minima}`);
  dentro(m.moldura, m.janela, `${onde}: the terminal's frame`);
  dentro(m.teclas, m.janela, `${onde}: the keys`);
  if (m.tela.l > m.moldura.l + 0.5) {
    assert.ok(m.fonte >= 12, `${onde}: the frame pans at font ${m.fonte}`);
  } else {
    dentro(m.tela, m.janela, `${onde}: the terminal`);
  }
  const { x, l } = m.moldura;
  assert.ok(m.cursor >= x && m.cursor < x + l, `${onde}: cursor at ${m.cursor}, frame ${x}+${l}`);
  for (const [bl, ba] of m.botoes) assert.ok(bl >= 44 && ba >= 44, `${onde}: a key ${bl}x${ba}`);
  assert.equal(m.inputmode, toque ? 'none' : null, `${onde}: inputmode`);
  if (aoLado !== null) {
    assert.equal(m.teclas.x >= m.moldura.x + m.moldura.l, aoLado, `${onde}: keys beside`);
  }
}

const { url, motor, fechar } = await abrirSite('chromium');
after(fechar);
const px = (c) => `${c.l.toFixed(0)}x${c.a.toFixed(0)}+${c.x.toFixed(0)}+${c.y.toFixed(0)}`;
console.log(
  `    ${'window'.padEnd(10)} ${'stands for'.padEnd(21)} font  ${'terminal (frame)'.padEnd(
    24,
  )} ${'keys'.padEnd(18)} CLS`,
);

// One test a window size: at load, a long answer typed and erased, after
// the 8-disc list, turned and turned back.
for (const tamanho of TAMANHOS) {
  const [largura, altura, toque, , , nome] = tamanho;
  test(`${largura}x${altura} ${nome}`, async () => {
    const contexto = await motor.navegador.createBrowserContext();
    const pagina = await motor.pagina({ largura, altura, toque, contexto });
    await pagina.p.evaluateOnNewDocument(() => {
      window.deslocamentos = 0;
      new PerformanceObserver((lista) => {
        for (const e of lista.getEntries()) if (!e.hadRecentInput) window.deslocamentos += e.value;
      }).observe({ type: 'layout-shift', buffered: true });
    });
    let l = await primeiroMenu(pagina, url);
    let m = await pagina.avaliar(medir);
    conferir(m, tamanho, 'at load');
    assert.equal(m.deslocada, 0, `${largura}x${altura}: the frame does not start at column 0`);
    assert.ok(m.cls <= 0.01, `${largura}x${altura}: layout shift ${m.cls}`);
    assert.equal(m.rotulo, 'Entrada do terminal');
    if (m.tela.l <= m.moldura.l + 0.5) {
      const maior = await pagina.avaliar(() => {
        const t = window.terminalDoJogo;
        t.options.fontSize += 1;
        const fora = ['.xterm-screen', '#teclas'].some((e) => {
          const r = document.querySelector(e).getBoundingClientRect();
          const d = document.documentElement;
          return r.left < 0 || r.top < 0 || r.right > d.clientWidth || r.bottom > d.clientHeight;
        });
        t.options.fontSize -= 1;
        return !fora;
      });
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
    conferir(await pagina.avaliar(medir), tamanho, 'a long answer typed');
    await pagina.ctrl('u');
    conferir(await pagina.avaliar(medir), tamanho, 'the long answer erased');

    // The 8-disc list scrolls the terminal by 255 moves.
    for (const resposta of ['3', '8', '1']) {
      l = await responder(pagina, l, resposta);
    }
    assert.equal(l.at(-1), CONVITE);
    conferir(await pagina.avaliar(medir), tamanho, 'after the 8-disc list');

    // Turned, and back; the page adjusts on the resize event, before the
    // next frame.
    const virar = async (l, a) => {
      await pagina.p.setViewport({ width: l, height: a, isMobile: toque, hasTouch: toque });
      await pagina.avaliar(
        () => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))),
      );
      return pagina.avaliar(medir);
    };
    const virado = TAMANHOS.find((t) => t[0] === altura && t[1] === largura);
    conferir(
      await virar(altura, largura),
      [altura, largura, toque, virado?.[3] ?? 0, virado?.[4] ?? null],
      'turned',
    );
    conferir(await virar(largura, altura), tamanho, 'turned back');
    await contexto.close();
  });
}
