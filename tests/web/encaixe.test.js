// The layout computed without a page: the fonts the page shows in
// Chromium and Firefox at the window sizes of the browser layout test and
// beyond, each the largest whose screen fits, at any device pixel ratio.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { COLUNAS, LINHAS } from '../../web/dimensoes.js';
import { encaixar, tamanhoDaTela, ESCALAS } from '../../web/encaixe.js';

// One character of the default monospace font, as a canvas measures it:
// 0.6 of the font wide; its ascent and descent each rounded to whole
// pixels by Chromium, and by Firefox taken in 64ths of a pixel (as
// FreeType scales them), then rounded up.
const chromium = (f) => ({
  largura: 0.6 * f,
  altura: Math.round(1.069 * f) + Math.round(0.293 * f),
});
const acima = (x) => Math.ceil(Math.round(x * 64) / 64);
const firefox = (f) => ({ largura: 0.6 * f, altura: acima(1.069 * f) + acima(0.293 * f) });

// The page's keys: one row below the terminal where 582 px fit, else
// two; the hint to turn the phone under them; two columns beside it.
function encaixe(largura, altura, { aoLado = 110.0625, ...outros } = {}) {
  const abaixo =
    largura >= 590 ? { largura: 582, altura: 48 } : { largura: largura - 8, altura: 102 };
  const teclas = {
    abaixo,
    abaixoComDica: { ...abaixo, altura: abaixo.altura + 22 },
    aoLado: { largura: aoLado, altura: 264 },
  };
  return encaixar({
    janela: { largura, altura },
    margem: 4,
    vao: 6,
    teclas,
    metricas: chromium,
    ...outros,
  });
}

// width, height, font, keys beside, the frame pans (with the hint), in
// Chromium at device pixel ratios 1, 2 and 3.
const CHROMIUM = [
  [1366, 657, 18.75, true, false],
  [1280, 633, 18.75, true, false],
  [1024, 600, 17.25, true, false],
  [740, 360, 10.75, true, false],
  [844, 390, 11.5, true, false],
  [360, 740, 12, false, true],
  [412, 915, 12, false, true],
  [1920, 960, 28.5, true, false],
  [768, 1024, 15.75, false, false],
  [1024, 768, 21, false, false],
  [800, 600, 15.25, false, false],
  [1920, 1080, 31.25, true, false],
  [2560, 1440, 42.5, true, false],
  [320, 480, 9.75, false, true],
  [320, 568, 12, false, true],
  [320, 200, 4, true, false], // shorter than the keys
];

test('at every window the page chose a font for, the same font, side and panning', () => {
  for (const [largura, altura, fonte, aoLado, pana] of CHROMIUM) {
    for (const dpr of [1, 2, 3]) {
      const r = encaixe(largura, altura, { dpr });
      const onde = `${largura}x${altura} at dpr ${dpr}`;
      assert.deepEqual([r.fonte, r.aoLado, r.pana, r.dica], [fonte, aoLado, pana, pana], onde);
    }
  }
  assert.equal(encaixe(60, 40).fonte, 1, 'a window too small for any font');
});

test('rows of whole device pixels, a scroll bar and Firefox rounding each give their fonts', () => {
  const firefoxBeside = { metricas: firefox, aoLado: 111.2166748046875 };
  for (const [largura, altura, opcoes, fonte] of [
    [1280, 633, { dpr: 1.5 }, 18], // 25 rows of 22.4 px are drawn as 34 device pixels each
    [844, 390, { dpr: 1.5 }, 10.75],
    [2560, 1440, { dpr: 1.5 }, 41.5],
    [1366, 657, { dpr: 1.5 }, 18.75],
    [360, 8 + 124 + 6 + 425, {}, 12], // 12 px rows are 17 px: 425 px...
    [360, 8 + 124 + 6 + 425, { barra: 15 }, 11.75], // ... and a panning frame's scroll bar
    [740, 360, firefoxBeside, 10.25],
    [768, 1024, firefoxBeside, 15.75],
  ]) {
    assert.equal(
      encaixe(largura, altura, opcoes).fonte,
      fonte,
      `${largura}x${altura} ${JSON.stringify(opcoes)}`,
    );
  }
  assert.deepEqual(tamanhoDaTela({ largura: 9.6, altura: 22.4 }, 1.5, 80, 25), {
    largura: 768,
    altura: 567,
  });
});

test('the chosen font fits its space and a quarter more would not, at any ratio', () => {
  for (const [largura, altura] of CHROMIUM) {
    for (const dpr of [1, 1.5, 2, 3]) {
      const r = encaixe(largura, altura, { dpr, barra: 15 });
      const cabe = (tela) =>
        tela.altura + (tela.largura > largura - 8 ? 15 : 0) <= r.espaco.altura &&
        (r.pana || tela.largura <= r.espaco.largura);
      const onde = `${largura}x${altura} at dpr ${dpr}`;
      assert.ok(cabe(r.tela) || r.fonte === 1, `${onde}: ${r.fonte} does not fit`);
      const maior = tamanhoDaTela(chromium(r.fonte + 0.25), dpr, COLUNAS, LINHAS);
      assert.ok(!cabe(maior) || (r.dica && r.fonte === 12), `${onde}: a quarter more fits`);
    }
  }
});

test('a chosen scale multiplies the fitted font, keeps the keys, and pans where it overflows', () => {
  for (const [largura, altura] of CHROMIUM) {
    for (const dpr of [1, 2, 3]) {
      const ajustada = encaixe(largura, altura, { dpr });
      let antes = { pana: false, panaVertical: false };
      for (const escala of ESCALAS) {
        const r = encaixe(largura, altura, { dpr, escala });
        const onde = `${largura}x${altura} at dpr ${dpr}, scale ${escala}`;
        const { fonte, pana, panaVertical, tela, celula, ...lugar } = ajustada;
        assert.ok(fonte * escala - r.fonte < 0.25 && r.fonte <= fonte * escala, onde);
        const mesmas = { ...r, fonte, pana, panaVertical, tela, celula };
        assert.deepEqual(mesmas, ajustada, `${onde}: keys moved`);
        // The fitted font is the largest that fits, so any larger one
        // overflows its room one way or the other, and a larger one still
        // never pans less; a phone held upright pans sideways at any size.
        if (escala === 1) assert.deepEqual([r.pana, r.panaVertical], [lugar.dica, false], onde);
        else assert.ok(r.pana || r.panaVertical, `${onde}: a larger font that still fits`);
        assert.ok((!antes.pana || r.pana) && (!antes.panaVertical || r.panaVertical), onde);
        antes = r;
      }
      // Four times the font that fits overflows both ways.
      assert.deepEqual([antes.pana, antes.panaVertical], [true, true], `${largura}x${altura}`);
    }
  }
});
