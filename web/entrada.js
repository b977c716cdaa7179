// The keyboard, the pointer and the clipboard, through an invisible
// textarea (#entrada) that holds the focus. The first paint keeps the keys
// typed before the modules arrive; the modules take over in one task, so
// that no key is lost or given twice.
import { dadosDaTecla, dadosDoBotao } from './teclas.js';

const GLOBAL = 'primeiraPintura'; // the first paint's data: its layout and kept keys
const GUARDADAS = 'torre-de-hanoi:teclas'; // kept keys across a reload, in sessionStorage

// Keys kept across a reload that tried the modules again.
function restaurar() {
  try {
    const teclas = JSON.parse(sessionStorage.getItem(GUARDADAS) ?? '[]');
    sessionStorage.removeItem(GUARDADAS);
    return Array.isArray(teclas) ? teclas.filter((t) => typeof t === 'string') : [];
  } catch {
    return [];
  }
}

export function recarregar(teclas) {
  try {
    sessionStorage.setItem(GUARDADAS, JSON.stringify(teclas));
  } catch {
    // Storage refused: the keys go.
  }
  location.reload();
}

// `assumir()` runs when the page's modules take over from the first paint.
export function guardarTeclas(assumir) {
  const dados = (window[GLOBAL] = { proposta: null, teclas: restaurar(), iniciado: false });
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
  dados.assumir = () => {
    document.removeEventListener('keydown', tecla, true);
    document.removeEventListener('click', toque, true);
    assumir();
  };
  return dados;
}

const selecionado = () => String(getSelection()) !== '';

// `tocar()` for a tap on the screen, `rolar(paginas)` for Shift+PageUp
// (-1) and Shift+PageDown (1). Returns what the first paint kept, whose
// `iniciado` the page sets once it has started.
export function ligarEntrada({ entrada, terminal, teclar, tocar, rolar }) {
  const dados = window[GLOBAL] ?? { proposta: null, teclas: [], iniciado: false };
  dados.assumir?.();
  const focar = () => entrada.focus({ preventScroll: true });

  // Wherever the focus is but on a button (a screen reader's review or a
  // selection moves it), a key reaches the game and brings the focus back.
  document.addEventListener('keydown', (evento) => {
    if (evento.defaultPrevented || evento.target.closest?.('button')) return;
    const pagina = { PageUp: -1, PageDown: 1 }[evento.key];
    if (evento.shiftKey && pagina) {
      evento.preventDefault();
      return rolar(pagina);
    }
    if (evento.ctrlKey && evento.key === 'c' && selecionado()) return; // a copy
    const bytes = dadosDaTecla(evento);
    if (evento.target !== entrada) focar(); // a paste then reaches it
    if (bytes === null) return;
    evento.preventDefault();
    teclar(bytes);
  });
  // A paste is typed as the clipboard has it, and not refused (its text
  // lands in the textarea too, and goes). Composed letters come as text.
  entrada.addEventListener('paste', (evento) => {
    const texto = evento.clipboardData.getData('text/plain');
    if (texto) teclar(texto);
  });
  entrada.addEventListener('input', (evento) => {
    const texto = entrada.value;
    if (evento.isComposing || texto === '') return;
    entrada.value = '';
    if (evento.inputType !== 'insertFromPaste') teclar(texto);
  });

  // A tap: a press and release in one place, nothing selected.
  let [premer, soltar] = ['mousedown', 'mouseup']; // iOS 12 has no pointer events
  if (window.PointerEvent) [premer, soltar] = ['pointerdown', 'pointerup'];
  let inicio = null;
  terminal.addEventListener(premer, (e) => (inicio = [e.clientX, e.clientY]));
  terminal.addEventListener(soltar, (e) => {
    const perto = inicio && Math.hypot(e.clientX - inicio[0], e.clientY - inicio[1]) < 10;
    inicio = null;
    if (!perto || selecionado()) return;
    focar();
    tocar();
  });
  terminal.addEventListener('pointercancel', () => (inicio = null));

  for (const botao of document.querySelectorAll('#teclas button')) {
    botao.addEventListener(premer, (evento) => evento.preventDefault()); // the focus stays
    botao.addEventListener('click', () => teclar(dadosDoBotao(botao)));
  }
  focar();
  return dados;
}
