// The letters' size a student chooses: the A- and A+ buttons, Ctrl (or
// Cmd) with plus, minus or 0, each step said, kept for the next visit.
import { anunciar } from './anuncio.js';
import { ESCALAS } from './encaixe.js';

const GUARDADA = 'torre-de-hanoi:letra'; // the scale, in localStorage

// The scale the student chose last, or 1 (the fitted size).
function escalaGuardada() {
  try {
    const guardada = Number(localStorage.getItem(GUARDADA));
    return ESCALAS.includes(guardada) ? guardada : 1;
  } catch {
    return 1;
  }
}

function guardar(escala) {
  try {
    localStorage.setItem(GUARDADA, String(escala));
  } catch {
    // Storage refused: the size lasts for the page.
  }
}

// Ctrl with these keys zooms a browser: here they step the letters, which
// the fit to the window would otherwise undo.
const PASSOS_DO_ZOOM = { '+': 1, '=': 1, NumpadAdd: 1, '-': -1, _: -1, NumpadSubtract: -1 };

// The scale from now on: `mudou()` once it changes, before the new size is said.
export function ligarLetra(mudou) {
  let escala = escalaGuardada();

  // One step larger (+1) or smaller (-1), or back to the fitted size (0).
  function mudar(passo) {
    const i = ESCALAS.indexOf(escala) + passo;
    escala = passo === 0 ? 1 : ESCALAS[Math.min(Math.max(i, 0), ESCALAS.length - 1)];
    guardar(escala);
    mudou();
    anunciar(`Letra ${Math.round(escala * 100)}%`);
  }

  // The buttons keep the focus where it was (entrada.js).
  for (const botao of document.querySelectorAll('#letra button')) {
    botao.addEventListener('click', () => mudar(Number(botao.dataset.passo)));
  }
  // Ctrl+0 at the fitted size is left to the browser: it resets a zoom
  // set from its menu. None of these keys is the game's.
  window.addEventListener('keydown', (evento) => {
    if (!(evento.ctrlKey || evento.metaKey) || evento.altKey) return;
    const zero = evento.key === '0' || evento.code === 'Numpad0';
    const passo = zero ? 0 : (PASSOS_DO_ZOOM[evento.code] ?? PASSOS_DO_ZOOM[evento.key]);
    if (passo === undefined || (zero && escala === 1)) return;
    evento.preventDefault();
    mudar(passo);
  });

  return () => escala;
}
