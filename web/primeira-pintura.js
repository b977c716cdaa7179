// Before the modules arrive: the first menu the build wrote, laid out for
// the first paint and on every resize, the keys typed on it kept. Bundled
// into a classic script inside index.html, strict as the modules are.
'use strict';
import { guardarTeclas, recarregar } from './entrada.js';
import { escalaGuardada } from './letra.js';
import { aplicar, metricasDaFonte, propor } from './medida.js';

const semJogo = () => document.documentElement.classList.contains('sem-jogo');
let metricas = null;
const layout = () => {
  const escala = escalaGuardada();
  primeiraPintura.proposta = propor(metricas, escala);
  aplicar(primeiraPintura.proposta, escala, metricas);
};
const primeiraPintura = guardarTeclas(() => window.removeEventListener('resize', layout));

// A module that fails to load or to run is said; a key or tap then loads
// the page again, the keys kept so far with it.
function falhou() {
  if (primeiraPintura.iniciado || document.documentElement.classList.contains('falhou')) return;
  document.documentElement.classList.add('falhou');
  const aviso = document.getElementById('aviso');
  aviso.textContent =
    'Não foi possível carregar o jogo. Verifique a conexão e pressione uma tecla ou ' +
    'toque na tela para tentar de novo.';
  aviso.hidden = false;
  // Each file fetched anew first: WebKit would load a piece that failed
  // from its memory, failed again.
  const arquivos = [...document.querySelectorAll('script[src], link[rel=modulepreload]')];
  const tentar = (evento) => {
    evento.preventDefault();
    evento.stopPropagation();
    const novos = arquivos.map((e) => fetch(e.src || e.href, { cache: 'reload' }).catch(() => {}));
    Promise.all(novos).then(() => recarregar(primeiraPintura.teclas));
  };
  window.addEventListener('keydown', tentar, true);
  window.addEventListener('click', tentar, true);
}

// The game's modules, once, from the page's template.
let carregando = false;
function carregarModulos() {
  if (carregando) return;
  carregando = true;
  const elementos = document.importNode(document.getElementById('modulos').content, true);
  for (const script of elementos.querySelectorAll('script')) {
    script.addEventListener('error', falhou);
    // Loaded, and run: an exception as it ran leaves the page unstarted.
    script.addEventListener('load', () => setTimeout(() => script.async || falhou(), 0));
  }
  document.head.append(elementos);
}

// After the first paint: sooner, the downloads would hold it on a slow network.
function depoisDaPintura(seguir) {
  if (!window.PerformanceObserver?.supportedEntryTypes?.includes('paint')) {
    return requestAnimationFrame(() => setTimeout(seguir, 0));
  }
  const observador = new PerformanceObserver((entradas) => {
    if (entradas.getEntriesByName('first-contentful-paint').length === 0) return;
    observador.disconnect();
    seguir();
  });
  observador.observe({ type: 'paint', buffered: true });
}

// Before the first paint, once the page is parsed: laid out, shown and
// focused. Where the game cannot start (aviso.js), nothing is. A
// background tab, with no frames, asks for the modules a moment later.
requestAnimationFrame(function pintar() {
  if (semJogo()) return;
  // The page parsed up to its last element: a frame may come before.
  if (!document.getElementById('girar')) return requestAnimationFrame(pintar);
  depoisDaPintura(carregarModulos);
  metricas = metricasDaFonte();
  layout();
  window.addEventListener('resize', layout);
  document.getElementById('entrada').focus({ preventScroll: true });
});
document.addEventListener('DOMContentLoaded', () => {
  if (!semJogo()) setTimeout(carregarModulos, 2000);
});
