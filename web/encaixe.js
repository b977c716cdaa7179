// How the 80x25 terminal and the on-screen keys fit a window: the largest
// font with which both fit with no page scroll, the keys below the
// terminal or beside it, whichever gives the larger font. Where that font
// is not legible because the window is narrow, the font stays legible and
// the terminal's frame pans sideways, with a hint to turn the phone. A
// student who wants the letters larger gets that font times a scale, and
// the frame pans wherever the terminal is then larger than its room.
// Pure: sizes in, a proposal out; the page applies it.

const PASSO = 0.25; // font sizes are tried in quarter pixels
// The game's screen: the terminal is always this size.
export const COLUNAS = 80;
export const LINHAS = 25;
// The letters' sizes a student can choose, as a scale of the fitted font:
// the browsers' own zoom steps, up to 400%.
export const ESCALAS = [1, 1.1, 1.25, 1.5, 1.75, 2, 2.5, 3, 4];
const REFERENCIA = 16; // the font at which the proportions are taken

// The terminal's screen in CSS pixels for one character's font metrics
// ({ largura, altura }, as a canvas measures them), rounded as the page
// draws it (medida.js): a whole number of device pixels per row, then the
// whole screen to CSS pixels.
export function tamanhoDaTela(caractere, dpr, colunas, linhas) {
  const larguraDaCelula = caractere.largura * dpr;
  const alturaDaCelula = Math.ceil(caractere.altura * dpr);
  return {
    largura: Math.round((larguraDaCelula * colunas) / dpr),
    altura: Math.round((alturaDaCelula * linhas) / dpr),
  };
}

// One character's metrics at any font, from those at `fonte`, where the
// browser cannot measure each font itself: a proportion, so the page
// looks at the result and steps down once if it does not fit.
export const metricasProporcionais = (medidas, fonte) => (f) => ({
  largura: (medidas.largura * f) / fonte,
  altura: (medidas.altura * f) / fonte,
});

// janela: the window's inner size; margem: the page's padding on each
// side; vao: the gap between the terminal and the keys; teclas: the keys'
// box { largura, altura } below the terminal (abaixo), below it with the
// hint to turn the phone (abaixoComDica) and beside it (aoLado);
// metricas(fonte): one character's metrics at a font; dpr: the device
// pixel ratio; barra: the height of a horizontal scroll bar (0 where they
// overlay the content); escala: the letters' scale chosen (1: fitted).
//
// Returns { fonte, aoLado, pana, panaVertical, dica, espaco }: the font,
// the keys beside the terminal, the frame panning sideways and up and
// down, the hint showing, and the space the terminal has.
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
  const espacoAbaixo = (caixa) => ({ largura, altura: altura - caixa.altura - vao });
  const tela = (fonte) => tamanhoDaTela(metricas(fonte), dpr, colunas, linhas);

  // A first guess, by proportion; it decides the keys' side.
  const referencia = tela(REFERENCIA);
  const proporcao = (espaco) =>
    REFERENCIA * Math.min(espaco.largura / referencia.largura, espaco.altura / referencia.altura);
  const abaixo = espacoAbaixo(teclas.abaixo);
  const aoLadoEspaco = { largura: largura - teclas.aoLado.largura - vao, altura };
  const aoLado = proporcao(aoLadoEspaco) > proporcao(abaixo);
  let espaco = aoLado ? aoLadoEspaco : abaixo;
  const emPassos = (fonte) => Math.floor(fonte / PASSO) * PASSO;
  let fonte = emPassos(proporcao(espaco));
  const dica = !aoLado && fonte < legivel;
  if (dica) {
    espaco = espacoAbaixo(teclas.abaixoComDica);
    fonte = Math.min(legivel, emPassos((REFERENCIA * espaco.altura) / referencia.altura));
  }

  // Cells are whole device pixels, so the proportion is only a guess: the
  // largest size that fits is found by quarter steps from it. A frame that
  // pans is as tall as the terminal and its scroll bar.
  const terminalCabe = (f) => {
    const t = tela(f);
    const pana = t.largura > largura;
    return (dica || t.largura <= espaco.largura) && t.altura + (pana ? barra : 0) <= espaco.altura;
  };
  if (terminalCabe(fonte)) {
    while (!(dica && fonte >= legivel) && terminalCabe(fonte + PASSO)) fonte += PASSO;
  } else {
    while (fonte > 1 && !terminalCabe(fonte - PASSO)) fonte -= PASSO;
    fonte -= PASSO;
  }
  fonte = Math.max(fonte, 1);
  // Larger letters keep the keys where the fitted ones put them.
  if (escala > 1) fonte = emPassos(fonte * escala);
  const t = tela(fonte);
  return {
    fonte,
    aoLado,
    pana: t.largura > espaco.largura,
    panaVertical: t.altura > espaco.altura,
    dica,
    espaco,
  };
}
