// The keyboard, the pointer and the clipboard, from the first paint to the
// game: one listener an event and one queue, run by the first paint's
// script. Keys are kept while nothing can read them (the page's modules
// not there yet, a game loading) and given in order once one can; the
// modules reach all this through tomarEntrada(), and nothing else.
import { dadosDaTecla, dadosDoBotao } from './teclas.js';

const GLOBAL = 'entradaDoTerminal'; // where the modules find the input
const GUARDADAS = 'torre-de-hanoi:teclas'; // the kept keys across a reload, in sessionStorage

export const tomarEntrada = () => window[GLOBAL];

// Text pasted or inserted is text: of its control characters only Tab and
// the line ends stay, so that a paste never interrupts or edits.
// eslint-disable-next-line no-control-regex
export const comoTexto = (texto) => texto.replace(/[\x00-\x08\x0b\x0c\x0e-\x1f\x7f-\x9f]/g, '');

// The rows selected, as the screen draws them: one line a row, a wrapped
// row joined to the one it continues, no trailing blanks. `partes`: each
// row's selected text and whether it continues the row above.
export function textoDasLinhas(partes) {
  const linhas = [];
  partes.forEach(({ texto, quebrada }, i) => {
    if (quebrada && i > 0) linhas[linhas.length - 1] += texto;
    else linhas.push(texto);
  });
  return linhas.map((l) => l.trimEnd()).join('\n');
}

// What a selection holds of the screen's rows, or null where it holds none.
function copiaDasLinhas(selecao) {
  if (selecao.rangeCount === 0 || selecao.isCollapsed) return null;
  const selecionado = selecao.getRangeAt(0);
  const partes = [];
  for (const fila of document.querySelectorAll('#tela > div')) {
    if (!selecionado.intersectsNode(fila)) continue;
    const parte = document.createRange();
    parte.selectNodeContents(fila);
    if (selecionado.compareBoundaryPoints(Range.START_TO_START, parte) > 0) {
      parte.setStart(selecionado.startContainer, selecionado.startOffset);
    }
    if (selecionado.compareBoundaryPoints(Range.END_TO_END, parte) < 0) {
      parte.setEnd(selecionado.endContainer, selecionado.endOffset);
    }
    partes.push({ texto: String(parte), quebrada: fila.classList.contains('quebrada') });
  }
  return partes.length ? textoDasLinhas(partes) : null;
}

function restaurar() {
  try {
    const teclas = JSON.parse(sessionStorage.getItem(GUARDADAS) ?? '[]');
    sessionStorage.removeItem(GUARDADAS);
    return Array.isArray(teclas) ? teclas.filter((t) => typeof t === 'string') : [];
  } catch {
    return [];
  }
}

const selecionado = () => String(getSelection()) !== '';
let PREMER = 'mousedown'; // iOS 12 has no pointer events
if (window.PointerEvent) PREMER = 'pointerdown';
const DUPLO = 500; // ms: a click that no second click follows within this is a tap

// The input, from now on. Until `ligar({ teclar, tocar })` and `soltar()`
// the keys are kept; then `teclar(dados, colado)` has each key or paste,
// `tocar()` each tap on the screen.
export function ligarEntrada() {
  const campo = () => document.getElementById('entrada');
  const focar = () => campo()?.focus({ preventScroll: true });
  const guardadas = restaurar(); // the keys kept, in order
  let receptor = null;
  let segura = true;
  let aoTeclar = null; // while the keys are kept: what a new key or tap does instead

  // `colado`: a paste, text for a game, which never starts one.
  function chegou(dados, colado = false) {
    if (!segura) receptor.teclar(dados, colado);
    else if (aoTeclar && !colado) aoTeclar();
    else guardadas.push(dados);
  }

  function tocar() {
    if (aoTeclar) aoTeclar();
    else if (!segura) receptor.tocar();
  }

  const entrada = (window[GLOBAL] = {
    focar,
    ligar: (r) => (receptor = r),
    // Keys kept from now on; with `seguir`, a new key or tap calls it instead.
    segurar(seguir = null) {
      [segura, aoTeclar] = [true, seguir];
    },
    // The kept keys given, in order, then each as it comes; a key that
    // makes the page keep them again (a new game) stops the giving.
    soltar() {
      [segura, aoTeclar] = [false, null];
      while (!segura && guardadas.length > 0) receptor.teclar(guardadas.shift());
    },
    // The page loaded anew, the kept keys with it.
    recarregar() {
      try {
        sessionStorage.setItem(GUARDADAS, JSON.stringify(guardadas));
      } catch {
        // Storage refused: the keys go.
      }
      location.reload();
    },
    ligada: () => receptor !== null,
  });

  // A key reaches the game wherever the focus is but on a button (a
  // screen reader's review or a selection moves it), and brings the focus
  // back; modifiers alone, a copy and the browser's shortcuts are left be.
  document.addEventListener('keydown', (evento) => {
    if (evento.defaultPrevented || evento.target.closest?.('button')) return;
    // A key that makes text (a dead key, an input method's) makes it in the field.
    const compoe = evento.key === 'Dead' || evento.keyCode === 229;
    if (compoe && evento.target !== campo()) focar();
    if (compoe || evento.isComposing) return;
    const pagina = { PageUp: -1, PageDown: 1 }[evento.key];
    if (evento.shiftKey && pagina) {
      evento.preventDefault();
      const tela = document.getElementById('tela');
      return tela.scrollBy(0, pagina * (tela.clientHeight - 1));
    }
    if (evento.ctrlKey && evento.key === 'c' && selecionado()) return; // a copy
    const dados = dadosDaTecla(evento);
    if (dados === null) return;
    evento.preventDefault();
    if (evento.target !== campo()) focar();
    chegou(dados);
  });

  // A paste is typed, as text; not refused, its text lands in the field
  // too, and goes there.
  document.addEventListener('paste', (evento) => {
    const texto = comoTexto(evento.clipboardData?.getData('text/plain') ?? '');
    if (texto) chegou(texto, true);
  });
  // Text a phone's keyboard, dictation, a dead key or an input method put
  // in the field: at once, once the letter is composed.
  let compondo = false;
  const inserido = (evento) => {
    const texto = campo().value;
    campo().value = '';
    if (evento.inputType !== 'insertFromPaste' && comoTexto(texto)) chegou(comoTexto(texto));
  };
  document.addEventListener('input', (evento) => {
    if (evento.target === campo() && !compondo && !evento.isComposing) inserido(evento);
  });
  document.addEventListener('compositionstart', () => (compondo = true));
  document.addEventListener('compositionend', (evento) => {
    compondo = false;
    if (evento.target === campo()) inserido(evento);
  });

  // The rows copied as drawn.
  document.addEventListener('copy', (evento) => {
    const texto = copiaDasLinhas(getSelection());
    if (texto === null) return;
    evento.clipboardData.setData('text/plain', texto);
    evento.preventDefault();
  });

  // A tap: one primary click on the screen, where it was pressed, that
  // selects nothing and that no second click follows (a double click
  // selects a word). A key on the page leaves the focus where it was.
  let inicio = null;
  let espera = 0;
  document.addEventListener(PREMER, (evento) => {
    if (evento.target.closest?.('#controles button')) return evento.preventDefault();
    inicio = evento.button === 0 ? [evento.clientX, evento.clientY] : null;
  });
  document.addEventListener('click', (evento) => {
    const botao = evento.target.closest?.('#teclas button');
    if (botao) return chegou(dadosDoBotao(botao));
    if (!evento.target.closest?.('#terminal')) return;
    const perto = inicio && Math.hypot(evento.clientX - inicio[0], evento.clientY - inicio[1]) < 10;
    inicio = null;
    clearTimeout(espera);
    if (!perto || evento.detail > 1 || selecionado()) return;
    focar();
    espera = setTimeout(() => selecionado() || tocar(), DUPLO);
  });
  return entrada;
}
