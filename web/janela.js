// The terminal in the window: the layout computed (encaixe.js) and
// applied, at the letters' size the student chose, the frame following
// the cursor where it pans, and a touch screen's own keyboard kept closed.

// Measuring the page and the layout for it (encaixe.js): the first
// paint's script's, which laid the page out before this module arrived.
const {
  COLUNAS,
  LINHAS,
  PASSO,
  ESCALAS,
  metricasProporcionais,
  FAMILIA,
  GUARDADA,
  metricasDoCanvas,
  propor,
  limitarMoldura,
} = window.primeiraPintura;
export { FAMILIA };

const pagina = document.querySelector('main');
const moldura = document.getElementById('moldura');
let primeira = null; // the layout made before the terminal opened
let reaplicar = null; // the layout made again, once the terminal is open

// The letters' scale the student chose, kept across reloads and games
// where the browser lets the page store it, else for as long as the page.
let escala = window.primeiraPintura.escalaGuardada();

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

// Before the terminal exists: the first paint's layout, or one made now
// where the page has not been painted yet; the terminal opens at its
// font. Where the font cannot be measured without the terminal, it opens
// at `reserva`.
export function leiauteInicial(reserva) {
  const metricas = metricasDoCanvas();
  primeira = window.primeiraPintura.proposta ?? (metricas && propor(metricas, escala));
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
    const maior = escala > 1;
    limitarMoldura(proposta, escala);
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
  reaplicar = () => aplicar(propor(metricas, escala));
  aplicar(primeira ?? propor(metricas, escala));
  window.addEventListener('resize', reaplicar);
}
