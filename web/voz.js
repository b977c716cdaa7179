// What a screen reader hears of the game, through the page's own live
// region: the towers by name while a game waits for a move (narrador.js),
// everything else as the game wrote it. The terminal's own live region
// would read the drawing cell by cell, and every row a second time: it is
// silenced; its rows stay in the accessibility tree for the review keys.
import { narrar, prosa } from './narrador.js';

// Screen readers drop what a live region gets in the burst of events of a
// page's load, and of the terminal's opening (Orca prunes its queue when
// the terminal's rows flood it): the first words wait until both are over
// and the page has settled a moment.
let terminalAberto; // its resolver
const carregada = new Promise((pronta) =>
  document.readyState === 'complete'
    ? pronta()
    : window.addEventListener('load', pronta, { once: true }),
);
const aberto = new Promise((pronto) => (terminalAberto = pronto));
const assentada = Promise.all([carregada, aberto]).then(
  () => new Promise((pronta) => setTimeout(pronta, 1000)),
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

    // Once the terminal is open; the first words wait for its first
    // drawing to be over.
    silenciarXterm() {
      const regiaoDoXterm = terminal.element.querySelector('.live-region');
      regiaoDoXterm.setAttribute('aria-live', 'off');
      regiaoDoXterm.setAttribute('aria-hidden', 'true');
      const desenhado = terminal.onRender(() => {
        desenhado.dispose();
        terminalAberto();
      });
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
