// The screen in the window, from the first paint on: laid out at the
// letters' size chosen, again on every resize and change of letters; where
// the frame pans, it follows the cursor the rows draw.
import { aplicar as aplicarNaPagina, metricasDaFonte, propor } from './medida.js';
import { ligarLetra } from './letra.js';

export function criarJanela() {
  const moldura = document.getElementById('moldura');
  const tela = document.getElementById('tela');
  const metricas = metricasDaFonte();
  let pana = false; // the frame narrower than the screen
  let panaVertical = false; // the frame shorter than the screen

  // Keeps the cell from `x` to `x + celula` (and one more) in view along one axis.
  function seguir(rolagem, visivel, x, celula) {
    if (x < moldura[rolagem]) moldura[rolagem] = x < visivel - celula ? 0 : x - visivel / 2;
    else if (x + 2 * celula > moldura[rolagem] + visivel)
      moldura[rolagem] = x + 2 * celula - visivel;
  }

  function mostrarCursor() {
    const celula = (pana || panaVertical) && tela.querySelector('.cursor');
    if (!celula) return;
    const [c, m] = [celula.getBoundingClientRect(), moldura.getBoundingClientRect()];
    if (pana)
      seguir('scrollLeft', moldura.clientWidth, c.left - m.left + moldura.scrollLeft, c.width);
    if (panaVertical)
      seguir('scrollTop', moldura.clientHeight, c.top - m.top + moldura.scrollTop, c.height);
  }

  // A screen scrolled to its end (the cursor's row in view) stays so at
  // its new size.
  function aplicar() {
    const noFim = tela.scrollTop + tela.clientHeight >= tela.scrollHeight - 1;
    const proposta = propor(metricas, escalaEscolhida());
    aplicarNaPagina(proposta, escalaEscolhida());
    if (noFim) tela.scrollTop = tela.scrollHeight;
    ({ pana, panaVertical } = proposta);
    mostrarCursor();
  }

  const escalaEscolhida = ligarLetra(aplicar);
  aplicar();
  window.addEventListener('resize', aplicar);
  // The rows drawn anew (a key's echo, the game's answer) may move the cursor.
  new MutationObserver(mostrarCursor).observe(tela, { childList: true, subtree: true });
}
