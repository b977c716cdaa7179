// The terminal in the window: the page's layout (medida.js) at the
// letters' size the student chose, the terminal's font set to it, the
// frame following the cursor where it pans, and a touch screen's own
// keyboard kept closed.
import { COLUNAS, LINHAS, PASSO, metricasProporcionais } from './encaixe.js';
import { aplicar as aplicarNaPagina, metricasDoCanvas, propor } from './medida.js';

// xterm.js 6 tells its character size only through its internals, as its
// own fit add-on reads it.
const caractereDoTerminal = (terminal) => terminal._core._charSizeService;

// `primeira`: the first paint's layout, or null; `escala()`: the letters'
// scale now. Returns the terminal's first font (`reserva` where the font
// cannot be measured before the terminal opens), the terminal's fitting
// once it is open, and `reaplicar` for a change of the letters.
export function criarJanela(primeira, escala) {
  const moldura = document.getElementById('moldura');
  let reaplicar = () => (primeira = null); // the first layout was made at the old size

  // Before the terminal exists: the first paint's layout, or one made now
  // where the page has not been painted yet.
  function fonteInicial(reserva) {
    const metricas = metricasDoCanvas();
    primeira ??= metricas && propor(metricas, escala());
    return primeira?.fonte ?? reserva;
  }

  function ajustar(terminal) {
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
      const maior = escala() > 1;
      aplicarNaPagina(proposta, escala());
      terminal.options.fontSize = proposta.fonte;
      // One look at the real box: a font's hinting may make a cell larger.
      const { espaco } = proposta;
      const larga = !proposta.dica && tela.getBoundingClientRect().width > espaco.largura;
      if (!maior && (larga || moldura.getBoundingClientRect().height > espaco.altura)) {
        terminal.options.fontSize = Math.max(proposta.fonte - PASSO, 1);
      }
      pana = tela.getBoundingClientRect().width > moldura.clientWidth;
      panaVertical = tela.getBoundingClientRect().height > moldura.clientHeight;
      mostrarCursor();
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
    reaplicar = () => aplicar(propor(metricas, escala()));
    aplicar(primeira ?? propor(metricas, escala()));
    window.addEventListener('resize', () => reaplicar());
  }

  return { fonteInicial, ajustar, reaplicar: () => reaplicar() };
}
