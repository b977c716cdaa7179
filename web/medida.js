// The page measured for the layout (encaixe.js), and a layout applied to
// it: one way to measure and one to apply, for the first paint and the
// page's modules alike.
import { COLUNAS } from './dimensoes.js';
import { REFERENCIA, encaixar, metricasProporcionais } from './encaixe.js';

let barra = null; // a horizontal scroll bar's height, once measured

// One character's metrics at any font of the screen's family (estilo.css
// owns it), by a canvas, which lays nothing out: each font measured, as
// engines round them apart. Where no canvas measures a font's box, the
// screen's own text at the reference size, in proportion.
export function metricasDaFonte() {
  const tela = document.getElementById('tela');
  const familia = getComputedStyle(tela).fontFamily;
  let contexto = null;
  if (window.OffscreenCanvas) contexto = new OffscreenCanvas(1, 1).getContext('2d');
  if (contexto && 'fontBoundingBoxAscent' in contexto.measureText('W')) {
    return (fonte) => {
      contexto.font = `${fonte}px ${familia}`;
      const m = contexto.measureText('W');
      return { largura: m.width, altura: m.fontBoundingBoxAscent + m.fontBoundingBoxDescent };
    };
  }
  const amostra = document.createElement('span');
  amostra.className = 'amostra';
  amostra.style.fontSize = `${REFERENCIA}px`;
  amostra.textContent = 'W'.repeat(COLUNAS);
  tela.append(amostra);
  const { width, height } = amostra.getBoundingClientRect();
  amostra.remove();
  return metricasProporcionais({ largura: width / COLUNAS, altura: height });
}

// The window without scroll bars, the keys' box in each arrangement and,
// the first time, a scroll bar's height; the page left as it was.
function medir() {
  const raiz = document.documentElement;
  const pagina = document.querySelector('main');
  const moldura = document.getElementById('moldura');
  const girar = document.getElementById('girar');
  const [aoLadoAntes, girarAntes] = [pagina.classList.contains('ao-lado'), girar.hidden];
  const caixa = (aoLado, dica) => {
    pagina.classList.toggle('ao-lado', aoLado);
    girar.hidden = !dica;
    const r = document.getElementById('controles').getBoundingClientRect();
    return { largura: r.width, altura: r.height };
  };
  raiz.classList.add('medindo');
  if (barra === null) moldura.style.overflowX = 'scroll';
  const abaixoComDica = caixa(false, true);
  const janela = { largura: raiz.clientWidth, altura: raiz.clientHeight };
  if (barra === null) {
    barra = moldura.offsetHeight - moldura.clientHeight;
    moldura.style.overflowX = '';
  }
  const [abaixo, aoLado] = [caixa(false, false), caixa(true, false)];
  pagina.classList.toggle('ao-lado', aoLadoAntes);
  girar.hidden = girarAntes;
  raiz.classList.remove('medindo');
  return { janela, teclas: { abaixo, abaixoComDica, aoLado } };
}

// The layout for the window as it is, at the letters' `escala`.
export function propor(metricas, escala) {
  const { janela, teclas } = medir();
  const estilo = getComputedStyle(document.querySelector('main'));
  return encaixar({
    janela,
    margem: parseFloat(estilo.paddingLeft),
    vao: parseFloat(estilo.getPropertyValue('--vao')),
    teclas,
    metricas,
    dpr: window.devicePixelRatio,
    barra,
    escala,
  });
}

// The screen's sizes, for estilo.css.
function dimensionar({ fonte, tela, celula }) {
  const medidas = {
    '--fonte': fonte,
    '--largura': tela.largura,
    '--altura': tela.altura,
    '--linha': celula.altura,
    '--celula': celula.largura,
    '--espaco': celula.espaco,
  };
  const terminal = document.getElementById('terminal');
  for (const [nome, valor] of Object.entries(medidas))
    terminal.style.setProperty(nome, `${valor}px`);
}

// The layout on the page; with letters larger than fit, the frame kept to
// the terminal's room, panning both ways (the page never scrolls). The
// page shows from then on.
export function aplicar(proposta, escala) {
  dimensionar(proposta);
  const pagina = document.querySelector('main');
  const moldura = document.getElementById('moldura');
  const maior = escala > 1;
  pagina.classList.toggle('ao-lado', proposta.aoLado);
  document.getElementById('girar').hidden = !proposta.dica;
  moldura.style.maxWidth = maior ? `${proposta.espaco.largura}px` : '';
  moldura.style.maxHeight = maior ? `${proposta.espaco.altura}px` : '';
  moldura.classList.toggle('maior', maior);
  pagina.classList.add('pronta');
}
