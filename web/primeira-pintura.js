// Before the page's modules arrive: the game's first screen, which the
// build wrote into the page, laid out at the window's font for the page's
// first paint, and the keys typed on it kept, in order, for the game. The
// build bundles it into a classic script inside index.html, which blocks
// the first paint only for as long as the layout takes, strict as the
// modules are.
'use strict';
import { COLUNAS, LINHAS, tamanhoDaTela } from './encaixe.js';
import { escalaGuardada } from './letra.js';
import { aplicar, metricasDoCanvas, propor } from './medida.js';
import { guardarTeclas } from './passagem.js';

// The first screen in cells of the size the terminal will draw: rows of
// whole device pixels, the columns spaced to the cell's width.
function vestir(tela, proposta, metricas) {
  const caractere = metricas(proposta.fonte);
  const { largura, altura } = tamanhoDaTela(caractere, window.devicePixelRatio, COLUNAS, LINHAS);
  const medidas = {
    '--fonte': proposta.fonte,
    '--largura': largura,
    '--altura': altura,
    '--linha': altura / LINHAS,
    '--espaco': largura / COLUNAS - caractere.largura,
  };
  for (const [nome, valor] of Object.entries(medidas)) tela.style.setProperty(nome, `${valor}px`);
}

const semJogo = () => document.documentElement.classList.contains('sem-jogo');
const passagem = guardarTeclas();

// The game's modules, once: the page's template holds their elements, the
// terminal's style before the modules that wait for it. One element a
// task: each starts a download, and together they held the page for a
// long task on a slow phone.
let carregando = false;
function carregarModulos() {
  if (carregando) return;
  carregando = true;
  const modelo = document.getElementById('modulos');
  const elementos = [...document.importNode(modelo.content, true).children];
  (function proximo() {
    document.head.append(elementos.shift());
    if (elementos.length > 0) setTimeout(proximo, 0);
  })();
}

// Once the first paint is on the screen: asked for sooner, the modules'
// downloads would come before it on a slow network, or hold it.
function depoisDaPintura(seguir) {
  const observavel = globalThis.PerformanceObserver?.supportedEntryTypes?.includes('paint');
  if (!observavel) {
    requestAnimationFrame(() => setTimeout(seguir, 0));
    return;
  }
  const observador = new PerformanceObserver((entradas) => {
    if (entradas.getEntriesByName('first-contentful-paint').length === 0) return;
    observador.disconnect();
    seguir();
  });
  observador.observe({ type: 'paint', buffered: true });
}

// Before the first paint, once the page is parsed: laid out and shown;
// the modules asked for after it. Where the game cannot start (aviso.js),
// nothing is. A page opened in a background tab, which gets no frames,
// asks for them a moment after it is parsed.
requestAnimationFrame(function pintar() {
  if (semJogo()) return;
  if (!document.getElementById('controles')) {
    requestAnimationFrame(pintar);
    return;
  }
  const tela = document.getElementById('primeira-tela');
  const metricas = metricasDoCanvas();
  if (metricas === null) {
    tela?.remove(); // the terminal lays the page out itself
    carregarModulos();
    return;
  }
  depoisDaPintura(carregarModulos);
  const escala = escalaGuardada();
  const proposta = propor(metricas, escala);
  aplicar(proposta, escala);
  if (tela) vestir(tela, proposta, metricas);
  passagem.proposta = proposta;
});
document.addEventListener('DOMContentLoaded', () => {
  if (!semJogo()) setTimeout(carregarModulos, 2000);
});
