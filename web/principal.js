// The page's parts meet here: a key goes through the line discipline to
// the running game (or starts a new one, a fresh WebAssembly instance),
// and what the game writes goes to the screen model and to the voice.
import { criarDisciplina } from './disciplina.js';
import { guardarParaOffline } from './carga.js';
import { criarDesenho } from './desenho.js';
import { ligarEntrada } from './entrada.js';
import { jogar } from './partida.js';
import { criarVoz } from './voz.js';
import { criarJanela } from './janela.js';
import { criarLetra } from './letra.js';
import { criarTerminal, cursor, escrever } from './terminal.js';

const tela = criarTerminal();
const elemento = document.getElementById('tela');
const letra = criarLetra();
let janela = null;
const desenho = criarDesenho(elemento, tela, () => janela?.mostrarCursor());
const voz = criarVoz(tela, document.getElementById('fala'));
window.terminalDoJogo = tela; // a hook for the browser tests

function mostrar(texto) {
  escrever(tela, texto);
  desenho.agendar();
}

let disciplina = null; // the running game's; null between games
let guardadas = []; // keys before the first game waits; null from then on
let primeiro = true; // the first game writes on the first paint's screen as it is

async function novoJogo() {
  if (!primeiro) mostrar('\x1b[0m\x1b[H\x1b[2J\x1b[3J'); // a screen as a new terminal's
  primeiro = false;
  voz.novoJogo();
  const atual = (disciplina = criarDisciplina({ eco: mostrar, coluna: () => tela.x }));
  const decodificar = new TextDecoder();
  const mensagem = await jogar({
    disciplina: atual,
    esperar: () => {
      voz.jogoEspera();
      soltarGuardadas();
    },
    escrever: (bytes) => {
      const texto = decodificar.decode(bytes, { stream: true });
      voz.jogoEscreveu(texto);
      mostrar(texto);
    },
  });
  soltarGuardadas();
  disciplina = null; // keys never go to a game that has stopped: they start the next
  const fim = `${mensagem} Pressione uma tecla ou toque na tela para jogar de novo.`;
  mostrar(`\n\x1b[7m ${fim} \x1b[0m`);
  voz.anunciar(fim);
}

function soltarGuardadas() {
  if (guardadas === null) return;
  const teclas = guardadas;
  guardadas = null;
  guardarParaOffline(); // once the first menu is on the page
  for (const dados of teclas) teclar(dados);
}

function teclar(dados) {
  if (guardadas !== null) return guardadas.push(dados);
  desenho.aoFim();
  if (disciplina !== null) disciplina.teclas(dados);
  else novoJogo();
}

const primeiraPintura = ligarEntrada({
  entrada: document.getElementById('entrada'),
  terminal: document.getElementById('terminal'),
  teclar,
  tocar: () => disciplina === null && guardadas === null && novoJogo(),
  rolar: (paginas) => elemento.scrollBy(0, paginas * (elemento.clientHeight - 1)),
});
guardadas.push(...primeiraPintura.teclas);
janela = criarJanela({
  primeira: primeiraPintura.proposta,
  escala: letra.escala,
  cursor: () => cursor(tela),
});
letra.ligar({ mudou: janela.reaplicar, anunciar: voz.anunciar });
novoJogo();
primeiraPintura.iniciado = true; // the first paint's loader knows the modules ran
