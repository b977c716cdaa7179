// How the game's screen and the on-screen keys fit a window: the largest
// font with which both fit with no page scroll, the keys below or beside,
// whichever gives the larger font. In a window too narrow for a legible
// font, the frame pans sideways with a hint to turn the phone. Larger
// letters are that font times a scale. Pure: sizes in, a proposal out.

import { COLUNAS, LINHAS } from './dimensoes.js';

const PASSO = 0.25; // font sizes are tried in quarter pixels
// The letters' scales a student can choose: the browsers' zoom steps.
export const ESCALAS = [1, 1.1, 1.25, 1.5, 1.75, 2, 2.5, 3, 4];
export const REFERENCIA = 16; // the font at which the proportions are taken

// The screen in CSS pixels for one character's metrics ({ largura,
// altura }), rounded as medida.js draws it: whole device pixels a row.
export function tamanhoDaTela(caractere, dpr, colunas, linhas) {
  const larguraDaCelula = caractere.largura * dpr;
  const alturaDaCelula = Math.ceil(caractere.altura * dpr);
  return {
    largura: Math.round((larguraDaCelula * colunas) / dpr),
    altura: Math.round((alturaDaCelula * linhas) / dpr),
  };
}

// One character's metrics at any font, in proportion to those at 16 px,
// where the browser cannot measure each font itself.
export const metricasProporcionais = (medidas) => (f) => ({
  largura: (medidas.largura * f) / REFERENCIA,
  altura: (medidas.altura * f) / REFERENCIA,
});

// janela: the window's inner size; margem: the page's padding; vao: the
// gap between terminal and keys; teclas: the keys' box below the terminal
// (abaixo), below with the hint to turn the phone (abaixoComDica) and
// beside (aoLado); metricas(fonte): a character's metrics; barra: a
// horizontal scroll bar's height (0 where they overlay); escala: the
// letters' scale (1: fitted). Returns { fonte, tela, celula, aoLado, pana,
// panaVertical, dica, espaco }: the font, the screen's size and a cell's
// (with the blank between two letters), the keys beside, the frame
// panning each way, the hint, the terminal's room.
export function encaixar({
  janela,
  margem,
  vao,
  teclas,
  metricas,
  dpr = 1,
  barra = 0,
  colunas = COLUNAS,
  linhas = LINHAS,
  legivel = 12,
  escala = 1,
}) {
  const largura = janela.largura - 2 * margem;
  const altura = janela.altura - 2 * margem;
  const abaixoDe = (caixa) => ({ largura, altura: altura - caixa.altura - vao });
  const tamanho = (fonte) => tamanhoDaTela(metricas(fonte), dpr, colunas, linhas);
  const emPassos = (fonte) => Math.floor(fonte / PASSO) * PASSO;

  // The largest font (at least 1) whose screen fits `espaco`; with the
  // hint, up to the legible one in a frame that pans sideways and holds
  // its scroll bar. Cells are whole device pixels, so the proportion at
  // 16 px is only where the quarter steps start.
  const referencia = tamanho(REFERENCIA);
  const maior = (espaco, comDica = false) => {
    const teto = comDica ? legivel : Infinity;
    const cabe = (f) => {
      const t = tamanho(f);
      if (!comDica) return t.largura <= espaco.largura && t.altura <= espaco.altura;
      return t.altura + (t.largura > largura ? barra : 0) <= espaco.altura;
    };
    const proporcao = Math.min(
      comDica ? Infinity : espaco.largura / referencia.largura,
      espaco.altura / referencia.altura,
    );
    let fonte = Math.max(1, Math.min(teto, emPassos(REFERENCIA * proporcao)));
    if (cabe(fonte)) while (fonte + PASSO <= teto && cabe(fonte + PASSO)) fonte += PASSO;
    else while (fonte > 1 && !cabe(fonte)) fonte -= PASSO;
    return fonte;
  };

  // The keys go where the screen's font is larger; below, a font under
  // the legible one gives way to the hint.
  const [abaixo, aoLadoDasTeclas] = [
    abaixoDe(teclas.abaixo),
    { largura: largura - teclas.aoLado.largura - vao, altura },
  ];
  const [fonteAbaixo, fonteAoLado] = [maior(abaixo), maior(aoLadoDasTeclas)];
  const aoLado = fonteAoLado > fonteAbaixo;
  const dica = !aoLado && fonteAbaixo < legivel;
  let [espaco, fonte] = aoLado ? [aoLadoDasTeclas, fonteAoLado] : [abaixo, fonteAbaixo];
  if (dica) {
    espaco = abaixoDe(teclas.abaixoComDica);
    fonte = maior(espaco, true);
  }
  // Larger letters keep the keys where the fitted ones put them.
  if (escala > 1) fonte = emPassos(fonte * escala);
  const t = tamanho(fonte);
  const [pana, panaVertical] = [t.largura > espaco.largura, t.altura > espaco.altura];
  const celula = { largura: t.largura / colunas, altura: t.altura / linhas };
  celula.espaco = celula.largura - metricas(fonte).largura;
  return { fonte, tela: t, celula, aoLado, pana, panaVertical, dica, espaco };
}
