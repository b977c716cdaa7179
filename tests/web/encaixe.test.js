// The layout computed without a page, held to its definition searched
// by brute force: at random windows, keys, pixel ratios and scroll bars,
// the largest font whose screen fits, with the keys on the side that
// gives the larger, and a phone held upright panning at the legible font.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { COLUNAS, LINHAS } from '../../web/dimensoes.js';
import { encaixar, tamanhoDaTela, ESCALAS } from '../../web/encaixe.js';
import { sorteador } from './sorteador.js';

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

// A window from a watch's to a large monitor's, and keys of any size.
function sorteio(semente) {
  const s = sorteador(semente);
  const entre = (a, b) => a + s.ate(b - a + 1);
  const [largura, altura] = [entre(40, 2800), entre(40, 1600)];
  const abaixo = { largura: Math.min(582, largura), altura: entre(30, 130) };
  return {
    janela: { largura, altura },
    margem: entre(0, 10),
    vao: entre(0, 10),
    teclas: {
      abaixo,
      abaixoComDica: { ...abaixo, altura: abaixo.altura + entre(10, 40) },
      aoLado: { largura: entre(60, 200) + s.ate(64) / 64, altura: 264 },
    },
    metricas: s.um([chromium, firefox]),
    dpr: s.um([1, 1.25, 1.5, 2, 2.625, 3]),
    barra: s.um([0, 15]),
  };
}

// Every quarter pixel tried, for each side the keys may take.
function procurada({ janela, margem, vao, teclas, metricas, dpr, barra }) {
  const [largura, altura] = [janela.largura - 2 * margem, janela.altura - 2 * margem];
  const maior = (cabe) => {
    let melhor = 1;
    for (let f = 1; f <= 100; f += 0.25) {
      const t = tamanhoDaTela(metricas(f), dpr, COLUNAS, LINHAS);
      if (cabe(t, f)) melhor = f;
    }
    return melhor;
  };
  const aoLado = maior(
    (t) => t.largura <= largura - teclas.aoLado.largura - vao && t.altura <= altura,
  );
  const abaixo = maior(
    (t) => t.largura <= largura && t.altura <= altura - teclas.abaixo.altura - vao,
  );
  if (aoLado > abaixo) return { fonte: aoLado, aoLado: true, dica: false };
  if (abaixo >= 12) return { fonte: abaixo, aoLado: false, dica: false };
  const espaco = altura - teclas.abaixoComDica.altura - vao;
  const fonte = maior((t, f) => f <= 12 && t.altura + (t.largura > largura ? barra : 0) <= espaco);
  return { fonte, aoLado: false, dica: true };
}

test('at random windows, the font and the keys’ side a search of every font finds', () => {
  for (let semente = 1; semente <= 1500; semente++) {
    const opcoes = sorteio(semente);
    const r = encaixar(opcoes);
    const { janela, dpr, barra } = opcoes;
    const onde = `${janela.largura}x${janela.altura} at dpr ${dpr}, bar ${barra} (seed ${semente})`;
    assert.deepEqual({ fonte: r.fonte, aoLado: r.aoLado, dica: r.dica }, procurada(opcoes), onde);
    // The frame pans only with the hint, and only sideways, where any font fits.
    if (r.fonte > 1) assert.deepEqual([r.pana && !r.dica, r.panaVertical], [false, false], onde);
  }
});

test('rows of whole device pixels', () => {
  // 22.4 px rows at a ratio of 1.5 are drawn as 34 device pixels each.
  assert.deepEqual(tamanhoDaTela({ largura: 9.6, altura: 22.4 }, 1.5, 80, 25), {
    largura: 768,
    altura: 567,
  });
});

// Windows of phones, tablets and desktops, each way up.
const JANELAS = [
  [1366, 657],
  [1024, 600],
  [740, 360],
  [360, 740],
  [412, 915],
  [768, 1024],
  [800, 600],
  [1920, 1080],
  [2560, 1440],
  [320, 480],
];

test('a chosen scale multiplies the fitted font, keeps the keys, and pans where it overflows', () => {
  for (const [largura, altura] of JANELAS) {
    for (let semente = 1; semente <= 30; semente++) {
      const opcoes = { ...sorteio(semente), janela: { largura, altura } };
      const ajustada = encaixar(opcoes);
      let antes = { pana: false, panaVertical: false };
      for (const escala of ESCALAS) {
        const r = encaixar({ ...opcoes, escala });
        const onde = `${largura}x${altura}, seed ${semente}, scale ${escala}`;
        const { fonte, pana, panaVertical, tela, celula } = ajustada;
        assert.ok(fonte * escala - r.fonte < 0.25 && r.fonte <= fonte * escala, onde);
        const mesmas = { ...r, fonte, pana, panaVertical, tela, celula };
        assert.deepEqual(mesmas, ajustada, `${onde}: keys moved`);
        // The fitted font is the largest that fits, so any larger one
        // overflows its room one way or the other, and a larger one still
        // never pans less.
        if (r.fonte > fonte)
          assert.ok(r.pana || r.panaVertical, `${onde}: a larger font that fits`);
        assert.ok((!antes.pana || r.pana) && (!antes.panaVertical || r.panaVertical), onde);
        antes = r;
      }
      // Four times the font that fits overflows both ways.
      const onde = `${largura}x${altura}, seed ${semente}`;
      assert.deepEqual([antes.pana, antes.panaVertical], [true, true], onde);
    }
  }
});
