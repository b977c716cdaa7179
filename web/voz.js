// What a screen reader hears of the game, through the page's own live
// region: the towers by name while a game waits for a move (narrador.js),
// everything else as the game wrote it. The terminal's own live region
// would read the drawing cell by cell, and every row a second time: it is
// silenced; its rows stay in the accessibility tree for the review keys.
import { narrar, prosa } from './narrador.js';

// Screen readers drop what a live region gets in a burst of events: the
// page's load, or the terminal's rows coming into the accessibility tree
// one by one (Orca, in a flood of events, drops a live region's, and a
// busy machine's Orca takes a second or more to get through them). The
// rows come in at once, their tree hidden until the first screen is
// drawn; the first words wait until that and the load are over and the
// page has settled for a second and a half.
let desenhou; // the resolver of `desenhada`
const carregada = new Promise((pronta) =>
  document.readyState === 'complete'
    ? pronta()
    : window.addEventListener('load', pronta, { once: true }),
);
const desenhada = new Promise((pronta) => (desenhou = pronta));
const assentada = Promise.all([carregada, desenhada]).then(
  () => new Promise((pronta) => setTimeout(pronta, 1500)),
);

export function criarVoz(terminal, regiao) {
  const decodificar = new TextDecoder();
  let escrito = ''; // what the game wrote since it last waited
  let anterior = null; // the board said last in this game
  let vez = 0; // the latest announcement; an older one still pending is dropped

  // The screen from its top to the cursor, as it shows.
  function linhasDaTela() {
    const b = terminal.buffer.active;
    const linhas = [];
    for (let i = b.viewportY; i <= b.baseY + b.cursorY; i++) {
      linhas.push((b.getLine(i)?.translateToString(true) ?? '').trimEnd());
    }
    return linhas;
  }

  function anunciar(texto) {
    const esta = ++vez;
    assentada.then(() => {
      // Emptied first, so that the same words twice are said twice.
      regiao.textContent = '';
      setTimeout(() => {
        if (esta === vez) regiao.textContent = texto;
      }, 50);
    });
  }

  return {
    anunciar,

    // Once the terminal is open: its live region silenced, its rows
    // hidden until the game's first screen is drawn.
    silenciarXterm() {
      const regiaoDoXterm = terminal.element.querySelector('.live-region');
      regiaoDoXterm.setAttribute('aria-live', 'off');
      regiaoDoXterm.setAttribute('aria-hidden', 'true');
      terminal.element
        .querySelector('.xterm-accessibility-tree')
        .setAttribute('aria-hidden', 'true');
    },

    // The terminal has drawn the game's first screen. Its rows for screen
    // readers follow up to a second later (xterm fills them at most once
    // a second): they are shown once they hold the cursor's row.
    primeiraTelaDesenhada() {
      const arvore = terminal.element.querySelector('.xterm-accessibility-tree');
      const b = terminal.buffer.active;
      const linha =
        b
          .getLine(b.baseY + b.cursorY)
          ?.translateToString(true)
          .trim() ?? '';
      const mostrar = () => {
        if (!arvore.hasAttribute('aria-hidden')) return;
        observador.disconnect();
        arvore.removeAttribute('aria-hidden');
        desenhou();
      };
      const observador = new MutationObserver(() => {
        if (arvore.children[b.cursorY]?.textContent.trim() === linha) mostrar();
      });
      observador.observe(arvore, { childList: true, subtree: true, characterData: true });
      setTimeout(mostrar, 2000); // however they are by then
    },

    jogoEscreveu(bytes) {
      escrito += decodificar.decode(bytes, { stream: true });
    },

    // The board said by the narrator, or what the game wrote, once the
    // terminal has drawn it.
    jogoEspera() {
      const texto = escrito;
      escrito = '';
      if (texto === '') return;
      terminal.write('', () => {
        const narrado = narrar(linhasDaTela(), anterior);
        anterior = narrado?.tabuleiro ?? null;
        anunciar(narrado?.fala ?? prosa(texto));
      });
    },

    novoJogo() {
      escrito = '';
      anterior = null;
    },
  };
}
