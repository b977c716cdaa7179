// The terminal in the window: the layout computed (encaixe.js) and
// applied, at the letters' size the student chose, the frame following
// the cursor where it pans, and a touch screen's own keyboard kept closed.
import { encaixar, metricasProporcionais, COLUNAS, LINHAS, PASSO, ESCALAS } from './encaixe.js';

export const FAMILIA = 'monospace'; // the terminal's font

const pagina = document.querySelector('main');
const moldura = document.getElementById('moldura');
const controles = document.getElementById('controles');
const girar = document.getElementById('girar');
let barra = null; // a horizontal scroll bar's height, once measured
let primeira = null; // the layout made before the terminal opened
let reaplicar = null; // the layout made again, once the terminal is open

// The letters' scale the student chose, kept across reloads and games
// where the browser lets the page store it, else for as long as the page.
const GUARDADA = 'torre-de-hanoi:letra';
let escala = (() => {
  try {
    const guardada = Number(localStorage.getItem(GUARDADA));
    return ESCALAS.includes(guardada) ? guardada : 1;
  } catch {
    return 1;
  }
})();

// One step larger (+1) or smaller (-1), or back to the fitted size (0);
// returns the scale now, in percent.
export function mudarLetra(passo) {
  const i = ESCALAS.indexOf(escala) + passo;
  escala = passo === 0 ? 1 : ESCALAS[Math.min(Math.max(i, 0), ESCALAS.length - 1)];
  try {
    localStorage.setItem(GUARDADA, String(escala));
  } catch {
    // Storage refused: the size lasts for the page.
  }
  primeira = null; // made at the old size
  reaplicar?.();
  return Math.round(escala * 100);
}

export const letraAjustada = () => escala === 1;

// xterm.js 6 tells its character size only through its internals, as its
// own fit add-on reads it.
const caractereDoTerminal = (terminal) => terminal._core._charSizeService;

// One character's font metrics at any font, measured as the terminal
// measures them (a canvas's measureText), without laying out the page;
// null where the browser cannot. Engines round them differently
// (Chromium to the nearest pixel, Firefox up), so each font is measured,
// not scaled from one.
function metricasDoCanvas() {
  const contexto = globalThis.OffscreenCanvas && new OffscreenCanvas(1, 1).getContext('2d');
  if (!contexto || !('fontBoundingBoxAscent' in contexto.measureText('W'))) return null;
  return (fonte) => {
    contexto.font = `${fonte}px ${FAMILIA}`;
    const m = contexto.measureText('W');
    return { largura: m.width, altura: m.fontBoundingBoxAscent + m.fontBoundingBoxDescent };
  };
}

// What the layout needs of the page: the window without scroll bars of
// its own (the terminal may still be too large for it), the keys' box in
// each arrangement (they do not depend on the font) and, the first time,
// a scroll bar's height.
function medir() {
  const raiz = document.documentElement;
  const caixa = () => {
    const r = controles.getBoundingClientRect();
    return { largura: r.width, altura: r.height };
  };
  raiz.classList.add('medindo');
  pagina.classList.remove('ao-lado');
  girar.hidden = false;
  if (barra === null) moldura.style.overflowX = 'scroll';
  const abaixoComDica = caixa();
  const janela = { largura: raiz.clientWidth, altura: raiz.clientHeight };
  if (barra === null) {
    barra = moldura.offsetHeight - moldura.clientHeight;
    moldura.style.overflowX = '';
  }
  girar.hidden = true;
  const abaixo = caixa();
  pagina.classList.add('ao-lado');
  const aoLado = caixa();
  raiz.classList.remove('medindo');
  return { janela, teclas: { abaixo, abaixoComDica, aoLado } };
}

// The layout for the window as it is, the keys placed by it.
function propor(metricas) {
  const { janela, teclas } = medir();
  const estilo = getComputedStyle(pagina);
  const proposta = encaixar({
    janela,
    margem: parseFloat(estilo.paddingLeft),
    vao: parseFloat(estilo.columnGap),
    teclas,
    metricas,
    dpr: window.devicePixelRatio,
    barra,
    escala,
  });
  pagina.classList.toggle('ao-lado', proposta.aoLado);
  girar.hidden = !proposta.dica;
  return proposta;
}

// Before the terminal exists, the page lays out at its quickest: the keys
// are placed, and the terminal opens at the returned font. Where the font
// cannot be measured without the terminal, it opens at `reserva`.
export function leiauteInicial(reserva) {
  const metricas = metricasDoCanvas();
  primeira = metricas && propor(metricas);
  return primeira?.fonte ?? reserva;
}

export function ajustarAJanela(terminal) {
  const tela = terminal.element.querySelector('.xterm-screen');
  const metricas =
    metricasDoCanvas() ??
    (() => {
      // The terminal measures with the page there: its own size, scaled.
      const { width, height } = caractereDoTerminal(terminal);
      return metricasProporcionais({ largura: width, altura: height }, terminal.options.fontSize);
    })();
  let pana = false; // the frame narrower than the terminal
  let panaVertical = false; // the frame shorter than the terminal

  // Keeps the cell at `x` (and one more) in view along one axis.
  function seguir(rolagem, visivel, x, celula) {
    if (x < moldura[rolagem]) moldura[rolagem] = x < visivel - celula ? 0 : x - visivel / 2;
    else if (x + 2 * celula > moldura[rolagem] + visivel)
      moldura[rolagem] = x + 2 * celula - visivel;
  }

  // Where the frame pans, it follows the cursor.
  function mostrarCursor() {
    if (!pana && !panaVertical) return;
    const { width, height } = tela.getBoundingClientRect();
    const { cursorX, cursorY } = terminal.buffer.active;
    if (pana)
      seguir('scrollLeft', moldura.clientWidth, (cursorX * width) / COLUNAS, width / COLUNAS);
    if (panaVertical) {
      seguir('scrollTop', moldura.clientHeight, (cursorY * height) / LINHAS, height / LINHAS);
    }
  }

  function aplicar(proposta) {
    terminal.options.fontSize = proposta.fonte;
    const { espaco } = proposta;
    // Larger letters than fit: the frame keeps to the terminal's room and
    // pans both ways; the page itself never scrolls.
    const maior = escala > 1;
    moldura.style.maxWidth = maior ? `${espaco.largura}px` : '';
    moldura.style.maxHeight = maior ? `${espaco.altura}px` : '';
    moldura.classList.toggle('maior', maior);
    // One look at the real box: a font's hinting may make a cell larger.
    const larga = !proposta.dica && tela.getBoundingClientRect().width > espaco.largura;
    if (!maior && (larga || moldura.getBoundingClientRect().height > espaco.altura)) {
      terminal.options.fontSize = Math.max(proposta.fonte - PASSO, 1);
    }
    pana = tela.getBoundingClientRect().width > moldura.clientWidth;
    panaVertical = tela.getBoundingClientRect().height > moldura.clientHeight;
    mostrarCursor();
    pagina.classList.add('pronta');
  }

  // A touch screen's own keyboard would cover half the game, and the keys
  // on the page give all it reads; a hardware keyboard still types.
  const toque = matchMedia('(pointer: coarse)');
  function fecharTecladoDeToque() {
    if (toque.matches) terminal.textarea.setAttribute('inputmode', 'none');
    else terminal.textarea.removeAttribute('inputmode');
  }

  fecharTecladoDeToque();
  toque.addEventListener('change', fecharTecladoDeToque);
  terminal.onCursorMove(mostrarCursor);
  reaplicar = () => aplicar(propor(metricas));
  aplicar(primeira ?? propor(metricas));
  window.addEventListener('resize', reaplicar);
}
