// Before the modules arrive and after: the input (entrada.js) from now on,
// and at the first frame the first menu the build wrote laid out to the
// window (janela.js), then the page's modules asked for. Bundled into a
// classic script inside index.html, strict as the modules are.
'use strict';
import { ligarEntrada } from './entrada.js';
import { criarJanela } from './janela.js';
import { NAO_CARREGOU, convite } from './mensagens.js';

const semJogo = () => document.documentElement.classList.contains('sem-jogo');
const entrada = ligarEntrada();

// A module that fails to load, or runs without taking the input, is said;
// a key or tap then loads the page again, the keys kept so far with it.
function falhou() {
  if (entrada.ligada() || document.documentElement.classList.contains('falhou')) return;
  document.documentElement.classList.add('falhou');
  const aviso = document.getElementById('aviso');
  aviso.textContent = `${NAO_CARREGOU} Verifique a conexão. ${convite('tentar de novo')}`;
  aviso.hidden = false;
  // Each file fetched anew first: WebKit would load a piece that failed
  // from its memory, failed again.
  const arquivos = [...document.querySelectorAll('script[src], link[rel=modulepreload]')];
  entrada.segurar(() => {
    const novos = arquivos.map((e) => fetch(e.src || e.href, { cache: 'reload' }).catch(() => {}));
    Promise.all(novos).then(entrada.recarregar);
  });
}

// The game's modules, once, from the page's template.
let carregando = false;
function carregarModulos() {
  if (carregando) return;
  carregando = true;
  const elementos = document.importNode(document.getElementById('modulos').content, true);
  for (const script of elementos.querySelectorAll('script')) {
    script.addEventListener('error', falhou);
    // Loaded and run (a script made from a template is async whatever its
    // attribute): principal.js has then taken the input, or it threw.
    if (!script.hasAttribute('async')) {
      script.addEventListener('load', () => setTimeout(falhou, 0));
    }
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
  criarJanela();
  entrada.focar();
});
document.addEventListener('DOMContentLoaded', () => {
  if (!semJogo()) setTimeout(carregarModulos, 2000);
});
