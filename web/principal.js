// The page's modules meet here: they take the input the first paint holds
// (entrada.js), a key goes through the line discipline to the running game
// (or starts a new one, a fresh WebAssembly instance), and what the game
// writes goes to the screen model and to the voice.
import { criarDisciplina } from './disciplina.js';
import { guardarParaOffline } from './carga.js';
import { criarDesenho } from './desenho.js';
import { tomarEntrada } from './entrada.js';
import { convite } from './mensagens.js';
import { jogar } from './partida.js';
import { criarVoz } from './voz.js';
import { criarModelo, escrever, limpar } from './modelo.js';

const modelo = criarModelo();
const desenho = criarDesenho(document.getElementById('tela'), modelo);
const voz = criarVoz(modelo);
const entrada = tomarEntrada();
window.modeloDoJogo = modelo; // a hook for the browser tests

function mostrar(texto) {
  escrever(modelo, texto);
  desenho.agendar();
}

let disciplina = null; // the running game's; null between games
let primeiro = true; // the first game writes on the first paint's screen as it is

async function novoJogo() {
  entrada.segurar(); // the keys wait for the game to read
  if (!primeiro) limpar(modelo);
  primeiro = false;
  voz.recomecar();
  const atual = (disciplina = criarDisciplina({ eco: mostrar, coluna: () => modelo.x }));
  const decodificar = new TextDecoder();
  let esperou = false;
  const { mensagem, definitivo } = await jogar({
    disciplina: atual,
    esperar: () => {
      voz.jogoEspera();
      if (!esperou) guardarParaOffline(); // once the first menu is on the page
      esperou = true;
      entrada.soltar();
    },
    escrever: (bytes) => {
      const texto = decodificar.decode(bytes, { stream: true });
      voz.jogoEscreveu(texto);
      mostrar(texto);
    },
  });
  disciplina = null; // keys never go to a game that has stopped: they start the next
  // A game that never read (it could not load) leaves the keys kept for
  // the next, which a new key or tap starts; where this browser cannot run
  // it, none does.
  if (esperou) entrada.soltar();
  else entrada.segurar(definitivo ? () => {} : novoJogo);
  const fim = definitivo ? mensagem : `${mensagem} ${convite('jogar de novo')}`;
  mostrar(`\n\x1b[7m ${fim} \x1b[0m`);
  voz.anunciar(fim);
}

entrada.ligar({
  // Between games a key starts the next; a paste, text for a game, does not.
  teclar(dados, colado) {
    desenho.aoFim();
    if (disciplina !== null) disciplina.receber(dados);
    else if (!colado) novoJogo();
  },
  tocar: () => disciplina === null && novoJogo(),
});
novoJogo();
