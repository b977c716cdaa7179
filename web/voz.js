// What a screen reader hears, through the page's live region: the towers
// by name while a game waits for a move (narrador.js), the rest as written.
import { narrar, prosa } from './narrador.js';
import { linhasDaTela } from './terminal.js';
import { anunciar as dizer } from './anuncio.js';

// Screen readers drop what a live region gets in the burst of the page's
// load: the first words wait for it, the first screen and a moment.
let naTela; // the first screen's resolver
const assentada = Promise.all([
  new Promise((pronta) => (naTela = pronta)),
  document.readyState === 'complete' || new Promise((pronta) => addEventListener('load', pronta)),
]).then(() => new Promise((pronta) => setTimeout(pronta, 1500)));

export function criarVoz(tela) {
  let escrito = ''; // what the game wrote since it last waited
  let anterior = null; // the board said last in this game
  let vez = 0; // the latest announcement; an older one still pending is dropped

  function anunciar(texto) {
    const esta = ++vez;
    assentada.then(() => esta === vez && dizer(texto));
  }

  return {
    anunciar,

    jogoEscreveu: (texto) => (escrito += texto),

    // The board said by the narrator, or what the game wrote.
    jogoEspera() {
      naTela();
      const texto = escrito;
      escrito = '';
      if (texto === '') return;
      const narrado = narrar(linhasDaTela(tela), anterior);
      anterior = narrado?.tabuleiro ?? null;
      anunciar(narrado?.fala ?? prosa(texto));
    },

    novoJogo: () => ([escrito, anterior] = ['', null]),
  };
}
