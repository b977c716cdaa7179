// The keyboard, the pointer and the clipboard on the page's terminal. An
// invisible textarea (#entrada) holds the focus, as a terminal's input:
// keys become bytes through teclas.js, a paste or a composed letter comes
// as text, and both go to `teclar`. The first paint keeps the keys typed
// before the page's modules arrive (guardarTeclas); they take over in one
// task, so that no key is lost or given twice.
import { dadosDaTecla, dadosDoBotao } from './teclas.js';

const GLOBAL = 'primeiraPintura'; // the first paint's data: its layout and kept keys
const TECLAS_NA_PAGINA = 'torre-de-hanoi:teclas-na-pagina';

// The first paint's side: the keys typed or tapped, kept in order.
export function guardarTeclas() {
  const dados = { proposta: null, teclas: [] };
  window[GLOBAL] = dados;
  const tecla = (evento) => {
    const bytes = dadosDaTecla(evento);
    if (bytes === null || evento.target.closest?.('button')) return;
    evento.preventDefault();
    dados.teclas.push(bytes);
  };
  const toque = (evento) => {
    const botao = evento.target.closest?.('#teclas button');
    if (botao) dados.teclas.push(dadosDoBotao(botao));
  };
  document.addEventListener('keydown', tecla, true);
  document.addEventListener('click', toque, true);
  document.addEventListener(
    TECLAS_NA_PAGINA,
    () => {
      document.removeEventListener('keydown', tecla, true);
      document.removeEventListener('click', toque, true);
    },
    { once: true },
  );
  return dados;
}

const selecionado = () => String(getSelection()) !== '';

// The page's side, once: `teclar(bytes)` takes every key and paste,
// `tocar()` a tap on the screen, `rolar(paginas)` Shift+PageUp (-1) and
// Shift+PageDown (1). Returns what the first paint kept: its layout and
// its keys.
export function ligarEntrada({ entrada, terminal, teclar, tocar, rolar }) {
  const dados = window[GLOBAL] ?? { proposta: null, teclas: [] };
  document.dispatchEvent(new Event(TECLAS_NA_PAGINA));
  const focar = () => entrada.focus({ preventScroll: true });

  // Wherever the focus is but on a button (a screen reader's review, or a
  // selection made with the pointer, leaves it elsewhere), a key reaches
  // the game, and the focus comes back to the terminal.
  document.addEventListener('keydown', (evento) => {
    if (evento.defaultPrevented || evento.target.closest?.('button')) return;
    if (evento.shiftKey && (evento.key === 'PageUp' || evento.key === 'PageDown')) {
      evento.preventDefault();
      return rolar(evento.key === 'PageUp' ? -1 : 1);
    }
    // Ctrl+C copies what is selected, and interrupts the game otherwise.
    if (evento.ctrlKey && evento.key === 'c' && selecionado()) return;
    const bytes = dadosDaTecla(evento);
    if (evento.target !== entrada) focar(); // a paste then reaches it
    if (bytes === null) return;
    evento.preventDefault();
    teclar(bytes);
  });
  entrada.addEventListener('paste', (evento) => {
    evento.preventDefault();
    const texto = evento.clipboardData?.getData('text/plain');
    if (texto) teclar(texto);
  });
  // Letters composed (dead keys, an input method) or sent by a touch
  // keyboard come as text in the textarea.
  entrada.addEventListener('input', (evento) => {
    if (evento.isComposing || entrada.value === '') return;
    teclar(entrada.value);
    entrada.value = '';
  });

  // A tap is a press and release in one place with nothing selected: a
  // scroll, a drag or a selection is not.
  let inicio = null;
  terminal.addEventListener('pointerdown', (e) => (inicio = [e.clientX, e.clientY]));
  terminal.addEventListener('pointerup', (e) => {
    const perto = inicio && Math.hypot(e.clientX - inicio[0], e.clientY - inicio[1]) < 10;
    inicio = null;
    if (!perto || selecionado()) return;
    focar();
    tocar();
  });
  terminal.addEventListener('pointercancel', () => (inicio = null));

  for (const botao of document.querySelectorAll('#teclas button')) {
    // The terminal keeps the focus, so a keyboard goes on typing into it.
    botao.addEventListener('pointerdown', (evento) => evento.preventDefault());
    botao.addEventListener('click', () => teclar(dadosDoBotao(botao)));
  }
  focar();
  return dados;
}
