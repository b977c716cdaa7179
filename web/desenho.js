// The screen model on the page: an element a row, the history's too. At
// most one update a frame, only of the rows that changed, so that a
// selection elsewhere survives; the build writes the first screen so too.
import { cursor } from './modelo.js';

const ENTIDADES = { '&': '&amp;', '<': '&lt;', '>': '&gt;' };
const escapar = (s) => s.replace(/[&<>]/g, (c) => ENTIDADES[c]);

export const classeDaLinha = (t, i) => (t.grade[i].quebrada ? 'linha quebrada' : 'linha');

// The row `i` as HTML: inverse video, the cursor and each wide character
// (two cells whatever its font) in spans; no trailing blanks to copy.
export function htmlDaLinha(t, i) {
  const { texto, inverso } = t.grade[i];
  const c = cursor(t);
  let noCursor = c.i === i ? c.x : -1;
  if (texto[noCursor] === '') noCursor--; // on a wide character's second half
  let fim = texto.length;
  while (fim > 0 && texto[fim - 1] === ' ' && !inverso[fim - 1] && fim - 1 !== noCursor) fim--;
  let [html, classe, trecho] = ['', '', ''];
  const fechar = () => {
    if (trecho)
      html += classe ? `<span class="${classe}">${escapar(trecho)}</span>` : escapar(trecho);
    trecho = '';
  };
  for (let x = 0; x < fim; x++) {
    if (texto[x] === '') continue;
    const larga = texto[x + 1] === '';
    const nomes = [larga && 'larga', x === noCursor ? 'cursor' : inverso[x] && 'inverso'];
    const esta = nomes.filter(Boolean).join(' ');
    if (esta !== classe || larga) {
      fechar();
      classe = esta;
    }
    trecho += texto[x];
  }
  fechar();
  return html;
}

// Draws `t` in `tela`'s children a frame after `agendar()`.
export function criarDesenho(tela, t) {
  const filas = [...tela.children];
  let topo = t.descartadas; // the number of the row filas[0] shows
  let pedido = 0;

  function desenhar() {
    pedido = 0;
    const noFim = tela.scrollTop + tela.clientHeight >= tela.scrollHeight - 1;
    const sairam = t.descartadas - topo;
    for (const f of filas.splice(0, sairam)) f.remove();
    topo = t.descartadas;
    const novas = [];
    while (filas.length + novas.length < t.grade.length) novas.push(document.createElement('div'));
    tela.append(...novas);
    filas.push(...novas);
    for (const numero of t.sujas) {
      const i = numero - topo;
      if (i < 0 || i >= filas.length) continue;
      const [classe, html] = [classeDaLinha(t, i), htmlDaLinha(t, i)];
      // A row already as drawn (the first screen, which the build wrote) stays.
      if (filas[i].className !== classe) filas[i].className = classe;
      if (filas[i].innerHTML !== html) filas[i].innerHTML = html;
    }
    t.sujas.clear();
    if (noFim) tela.scrollTop = tela.scrollHeight;
  }

  // On paper, the screen's rows alone: those above it are marked (estilo.css).
  addEventListener('beforeprint', () =>
    filas.forEach((f, i) => f.classList.toggle('acima', i < filas.length - t.linhas)),
  );

  return {
    agendar: () => (pedido ||= requestAnimationFrame(desenhar)),
    aoFim: () => (tela.scrollTop = tela.scrollHeight),
  };
}
