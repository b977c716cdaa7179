// What a screen reader hears, through the page's live region: the towers
// by name while a game waits for a move (narrador.js), the rest as written.
import { narrar, prosa } from './narrador.js';
import { linhasDaTela, linhasDoTexto } from './modelo.js';
import { anunciar as dizer } from './anuncio.js';

// Screen readers drop what a live region gets in the burst of the page's
// load: the first words wait for it, the first screen and a moment.
let avisarPrimeiraTela; // the first screen's resolver
const podeFalar = Promise.all([
  new Promise((pronta) => (avisarPrimeiraTela = pronta)),
  document.readyState === 'complete' || new Promise((pronta) => addEventListener('load', pronta)),
]).then(() => new Promise((pronta) => setTimeout(pronta, 1500)));

export function criarVoz(modelo) {
  let escrito = ''; // what the game wrote since it last waited
  let tabuleiroDito = null; // the board said last in this game
  let vez = 0; // the latest announcement; an older one still pending is dropped

  function anunciar(texto) {
    const esta = ++vez;
    podeFalar.then(() => esta === vez && dizer(texto));
  }

  return {
    anunciar,

    jogoEscreveu: (texto) => (escrito += texto),

    // The board said by the narrator, or what the game wrote.
    jogoEspera() {
      avisarPrimeiraTela();
      const texto = escrito;
      escrito = '';
      if (texto === '') return;
      const narrado = narrar(linhasDaTela(modelo), tabuleiroDito);
      tabuleiroDito = narrado?.tabuleiro ?? null;
      anunciar(narrado?.fala ?? prosa(linhasDoTexto(texto)));
    },

    recomecar: () => ([escrito, tabuleiroDito] = ['', null]),
  };
}
