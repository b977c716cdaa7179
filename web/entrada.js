// The keyboard, the pointer and the clipboard. An invisible textarea
// (#entrada) holds the focus, as a terminal's input: keys become bytes
// through teclas.js, a paste or a composed letter comes as text, and all
// go to `teclar`. The first paint keeps the keys typed before the modules
// arrive (guardarTeclas); the modules take over in one task, so that no
// key is lost or given twice.
import { dadosDaTecla, dadosDoBotao } from './teclas.js';

const GLOBAL = 'primeiraPintura'; // the first paint's data: its layout and kept keys
const TECLAS_NA_PAGINA = 'torre-de-hanoi:teclas-na-pagina';

export function guardarTeclas() {
  const dados = (window[GLOBAL] = { proposta: null, teclas: [] });
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
  document.addEventListener(TECLAS_NA_PAGINA, () => {
    document.removeEventListener('keydown', tecla, true);
    document.removeEventListener('click', toque, true);
  });
  return dados;
}

const selecionado = () => String(getSelection()) !== '';

// `tocar()` for a tap on the screen, `rolar(paginas)` for Shift+PageUp
// (-1) and Shift+PageDown (1). Returns what the first paint kept.
export function ligarEntrada({ entrada, terminal, teclar, tocar, rolar }) {
  const dados = window[GLOBAL] ?? { proposta: null, teclas: [] };
  document.dispatchEvent(new Event(TECLAS_NA_PAGINA));
  const focar = () => entrada.focus({ preventScroll: true });

  // Wherever the focus is but on a button (a screen reader's review or a
  // selection leaves it elsewhere), a key reaches the game and the focus
  // comes back; Ctrl+C copies what is selected, else it interrupts.
  document.addEventListener('keydown', (evento) => {
    if (evento.defaultPrevented || evento.target.closest?.('button')) return;
    const pagina = { PageUp: -1, PageDown: 1 }[evento.key];
    if (evento.shiftKey && pagina) {
      evento.preventDefault();
      return rolar(pagina);
    }
    if (evento.ctrlKey && evento.key === 'c' && selecionado()) return;
    const bytes = dadosDaTecla(evento);
    if (evento.target !== entrada) focar(); // a paste then reaches it
    if (bytes === null) return;
    evento.preventDefault();
    teclar(bytes);
  });
  entrada.addEventListener('paste', (evento) => {
    evento.preventDefault();
    const texto = evento.clipboardData.getData('text/plain');
    if (texto) teclar(texto);
  });
  // Letters composed (a dead key, an input method) come as text.
  entrada.addEventListener('input', (evento) => {
    if (evento.isComposing || entrada.value === '') return;
    teclar(entrada.value);
    entrada.value = '';
  });

  // A tap: a press and release in one place, nothing selected; never a
  // scroll, a drag or a selection.
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
    botao.addEventListener('pointerdown', (evento) => evento.preventDefault()); // the focus stays
    botao.addEventListener('click', () => teclar(dadosDoBotao(botao)));
  }
  focar();
  return dados;
}
