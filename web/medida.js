// The page measured for the layout (encaixe.js), and a layout applied to
// it: one way to measure and one to apply, for the first paint and the
// page's modules alike.
import { COLUNAS, LINHAS, encaixar, metricasProporcionais, tamanhoDaTela } from './encaixe.js';

const FAMILIA = 'monospace'; // the screen's font (estilo.css)
let barra = null; // a horizontal scroll bar's height, once measured

// One character's metrics at any font, by a canvas, which lays nothing
// out: each font measured, as engines round them apart. Where no canvas
// measures a font's box, the page's own text at 16 px, in proportion.
export function metricasDaFonte() {
  let contexto = null;
  if (window.OffscreenCanvas) contexto = new OffscreenCanvas(1, 1).getContext('2d');
  if (contexto && 'fontBoundingBoxAscent' in contexto.measureText('W')) {
    return (fonte) => {
      contexto.font = `${fonte}px ${FAMILIA}`;
      const m = contexto.measureText('W');
      return { largura: m.width, altura: m.fontBoundingBoxAscent + m.fontBoundingBoxDescent };
    };
  }
  const amostra = document.createElement('span');
  amostra.className = 'amostra';
  amostra.textContent = 'W'.repeat(COLUNAS);
  document.body.append(amostra);
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

// The screen at a font, for estilo.css: rows of whole device pixels.
function vestir(fonte, metricas) {
  const caractere = metricas(fonte);
  const { largura, altura } = tamanhoDaTela(caractere, window.devicePixelRatio, COLUNAS, LINHAS);
  const medidas = {
    '--fonte': fonte,
    '--largura': largura,
    '--altura': altura,
    '--linha': altura / LINHAS,
    '--celula': largura / COLUNAS,
    '--espaco': largura / COLUNAS - caractere.largura,
  };
  const tela = document.getElementById('terminal');
  for (const [nome, valor] of Object.entries(medidas)) tela.style.setProperty(nome, `${valor}px`);
}

// The layout on the page; with letters larger than fit, the frame kept to
// the terminal's room, panning both ways (the page never scrolls). The
// page shows from then on.
export function aplicar(proposta, escala, metricas) {
  vestir(proposta.fonte, metricas);
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
