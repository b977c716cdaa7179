// Before the modules arrive: the screen the build wrote, the first menu on
// it, laid out for the first paint, and the keys typed on it kept. Bundled
// into a classic script inside index.html, strict as the modules are.
'use strict';
import { guardarTeclas } from './entrada.js';
import { escalaGuardada } from './letra.js';
import { aplicar, metricasDaFonte, propor } from './medida.js';

const semJogo = () => document.documentElement.classList.contains('sem-jogo');
const primeiraPintura = guardarTeclas();

let carregando = false;
function carregarModulos() {
  if (carregando) return;
  carregando = true;
  const modelo = document.getElementById('modulos');
  document.head.append(document.importNode(modelo.content, true));
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

// Before the first paint, once the page is parsed: laid out, shown and
// focused; the modules asked for after it. Where the game cannot start
// (aviso.js), nothing is. A background tab, with no frames, asks for
// them a moment after it is parsed.
requestAnimationFrame(function pintar() {
  if (semJogo()) return;
  // The page parsed up to its last element: a frame may come before.
  if (!document.getElementById('girar')) {
    requestAnimationFrame(pintar);
    return;
  }
  depoisDaPintura(carregarModulos);
  const escala = escalaGuardada();
  const metricas = metricasDaFonte();
  const proposta = propor(metricas, escala);
  aplicar(proposta, escala, metricas);
  primeiraPintura.proposta = proposta;
  document.getElementById('entrada').focus({ preventScroll: true });
});
document.addEventListener('DOMContentLoaded', () => {
  if (!semJogo()) setTimeout(carregarModulos, 2000);
});
