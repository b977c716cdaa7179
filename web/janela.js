// The terminal in the window: the layout at the letters' size chosen,
// again on every resize, the frame following the cursor where it pans.
import { COLUNAS, LINHAS } from './encaixe.js';
import { aplicar as aplicarNaPagina, metricasDaFonte, propor } from './medida.js';

// `primeira`: the first paint's layout, or null; `cursor()`: its screen cell.
export function criarJanela({ primeira, escala, cursor }) {
  const moldura = document.getElementById('moldura');
  const tela = document.getElementById('tela');
  const metricas = metricasDaFonte();
  let pana = false; // the frame narrower than the screen
  let panaVertical = false; // the frame shorter than the screen

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
    const [largura, altura] = [width / COLUNAS, height / LINHAS]; // a cell's
    const { x, y } = cursor();
    if (pana) seguir('scrollLeft', moldura.clientWidth, x * largura, largura);
    if (panaVertical) seguir('scrollTop', moldura.clientHeight, y * altura, altura);
  }

  function aplicar(proposta = propor(metricas, escala())) {
    aplicarNaPagina(proposta, escala(), metricas);
    const caixa = tela.getBoundingClientRect();
    pana = caixa.width > moldura.clientWidth;
    panaVertical = caixa.height > moldura.clientHeight;
    mostrarCursor();
  }
  const reaplicar = () => aplicar();

  aplicar(primeira ?? undefined);
  window.addEventListener('resize', reaplicar);

  return { reaplicar, mostrarCursor };
}
