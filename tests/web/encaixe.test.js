// The layout computed without a page, against what the page chose in
// Chromium and Firefox (the search it replaced, measuring after every
// step) at the window sizes of the browser layout test and beyond.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { encaixar, tamanhoDaTela } from '../../web/encaixe.js';

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

// The keys' box as the page lays them out: one row below the terminal
// where 582 px fit, else two; two columns beside it.
function teclas(largura, aoLado = 110.0625) {
  const abaixo =
    largura >= 590 ? { largura: 582, altura: 48 } : { largura: largura - 8, altura: 102 };
  return {
    abaixo,
    abaixoComDica: { ...abaixo, altura: abaixo.altura + 22 },
    aoLado: { largura: aoLado, altura: 264 },
  };
}

const encaixe = (largura, altura, outros = {}) =>
  encaixar({
    janela: { largura, altura },
    margem: 4,
    vao: 6,
    teclas: teclas(largura),
    metricas: chromium,
    ...outros,
  });

// width, height, font, keys beside, the frame pans (with the hint)
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
];

test('at every window the page chose a font for, the same font, side and panning', () => {
  for (const [largura, altura, fonte, aoLado, pana] of CHROMIUM) {
    for (const dpr of [1, 2, 3]) {
      const r = encaixe(largura, altura, { dpr });
      assert.deepEqual(
        [r.fonte, r.aoLado, r.pana, r.dica],
        [fonte, aoLado, pana, pana],
        `${largura}x${altura} at dpr ${dpr}`,
      );
    }
  }
});

test('at a device pixel ratio of 1.5, rows of whole device pixels cost some windows a step', () => {
  for (const [largura, altura, fonte] of [
    [1280, 633, 18],
    [844, 390, 10.75],
    [2560, 1440, 41.5],
    [1366, 657, 18.75],
  ]) {
    assert.equal(encaixe(largura, altura, { dpr: 1.5 }).fonte, fonte, `${largura}x${altura}`);
  }
  // 22.4 px rows are 33.6 device pixels, drawn as 34.
  assert.deepEqual(tamanhoDaTela({ largura: 9.6, altura: 22.4 }, 1.5, 80, 25), {
    largura: 768,
    altura: 567,
  });
});

test("Firefox's own rounding of the font gives its own fonts", () => {
  const keys = teclas(740, 111.2166748046875);
  for (const [largura, altura, fonte] of [
    [740, 360, 10.25],
    [768, 1024, 15.75],
  ]) {
    const r = encaixe(largura, altura, { metricas: firefox, teclas: keys });
    assert.equal(r.fonte, fonte, `${largura}x${altura}`);
  }
});

test('the chosen font fits its space and a quarter more would not, at any ratio', () => {
  for (const [largura, altura] of CHROMIUM) {
    for (const dpr of [1, 1.5, 2, 3]) {
      const r = encaixe(largura, altura, { dpr, barra: 15 });
      const tela = (f) => tamanhoDaTela(chromium(f), dpr, 80, 25);
      const alta = (f) => tela(f).altura + (tela(f).largura > largura - 8 ? 15 : 0);
      const onde = `${largura}x${altura} at dpr ${dpr}`;
      assert.ok(alta(r.fonte) <= r.espaco.altura, `${onde}: too tall`);
      if (!r.pana) assert.ok(tela(r.fonte).largura <= r.espaco.largura, `${onde}: too wide`);
      const maior = r.fonte + 0.25;
      const cabe =
        alta(maior) <= r.espaco.altura && (r.pana || tela(maior).largura <= r.espaco.largura);
      assert.ok(!cabe || (r.dica && r.fonte === 12), `${onde}: ${maior} fits too`);
    }
  }
});

test('a panning frame leaves room for its scroll bar', () => {
  // 12 px rows are 17 px tall: 425 px, and 15 more for the scroll bar.
  const semBarra = encaixe(360, 8 + 124 + 6 + 425);
  const comBarra = encaixe(360, 8 + 124 + 6 + 425, { barra: 15 });
  assert.deepEqual([semBarra.fonte, semBarra.pana], [12, true]);
  assert.ok(comBarra.fonte < 12 && comBarra.pana, `font ${comBarra.fonte}`);
});

test('a window shorter than the keys gets the smallest font that fits, at least 1 px', () => {
  const baixa = encaixe(320, 200);
  assert.deepEqual([baixa.fonte, baixa.aoLado], [4, true]);
  assert.equal(encaixe(60, 40).fonte, 1);
});
