// The hand-over of the game's first screen from the first paint to the
// terminal. Only data passes between the two: the first paint's script
// leaves the layout it applied and the keys typed or tapped on its screen
// in window.primeiraPintura, and stops keeping keys when the page says
// the terminal takes them (an event).
import { dadosDaTecla, dadosDoBotao } from './teclas.js';

const GLOBAL = 'primeiraPintura';
const TECLAS_NO_TERMINAL = 'torre-de-hanoi:teclas-no-terminal';

// The first paint's side: keeps the keys until the terminal takes them. The
// layout goes in the returned object's `proposta`.
export function guardarTeclas() {
  const dados = { proposta: null, teclas: [] };
  window[GLOBAL] = dados;
  const tecla = (evento) => {
    const bytes = dadosDaTecla(evento);
    if (bytes === null) return;
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
    TECLAS_NO_TERMINAL,
    () => {
      document.removeEventListener('keydown', tecla, true);
      document.removeEventListener('click', toque, true);
    },
    { once: true },
  );
  return dados;
}

// The states of the first screen, in order.
const ESTADO = Object.freeze({
  PINTADA: 'pintada', // the page's copy is the screen; keys are kept
  POR_CIMA: 'por-cima', // the terminal opened under the copy; keys still kept
  ENTREGUE: 'entregue', // the game's first screen is in the terminal: keys go to the game
  DESENHADA: 'desenhada', // the terminal has drawn it, and the copy is gone
});

// The page's side of the hand-over, taken by the modules once.
export function criarPassagem() {
  const dados = window[GLOBAL] ?? { proposta: null, teclas: [] };
  const tela = document.getElementById('primeira-tela');
  let estado = ESTADO.PINTADA;
  const mudar = (de, para) => {
    if (estado !== de) throw new Error(`first screen: ${para} from ${estado}`);
    estado = para;
  };
  return {
    proposta: dados.proposta, // the first paint's layout, or null
    // Keeps a key typed before the game's first screen is there; false
    // once keys go straight to the game.
    guardar(bytes) {
      if (estado !== ESTADO.PINTADA && estado !== ESTADO.POR_CIMA) return false;
      dados.teclas.push(bytes);
      return true;
    },
    // The terminal opens: the copy stays over it until it has drawn.
    abrir() {
      mudar(ESTADO.PINTADA, ESTADO.POR_CIMA);
      tela?.classList.add('por-cima');
    },
    // The terminal takes the keys (it has the focus): the first paint
    // stops keeping them, guardar() keeps them from now on.
    passarTeclas() {
      if (estado !== ESTADO.POR_CIMA) throw new Error(`first screen: keys passed when ${estado}`);
      document.dispatchEvent(new Event(TECLAS_NO_TERMINAL));
    },
    // The game's first screen is in the terminal: the keys kept, in order.
    entregar() {
      mudar(ESTADO.POR_CIMA, ESTADO.ENTREGUE);
      return dados.teclas.splice(0);
    },
    // The terminal has drawn it: the copy goes in the same frame.
    desenhada() {
      mudar(ESTADO.ENTREGUE, ESTADO.DESENHADA);
      tela?.remove();
    },
  };
}
