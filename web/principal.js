// The page: an 80x25 terminal, the on-screen keys, and one game after
// another, each a fresh instance of the WebAssembly game. Here the parts
// meet: a key goes through the line discipline to the running game (or
// starts a new one), and what the game writes goes to the terminal and to
// the voice. The layout is in janela.js, the letters' size in letra.js,
// the speech in voz.js, a game's run in partida.js, the hand-over from the
// first paint in passagem.js.
import { Terminal } from '@xterm/xterm';
import { criarDisciplina } from './disciplina.js';
import { MUITO_TEXTO } from './narrador.js';
import { guardarParaOffline } from './carga.js';
import { jogar } from './partida.js';
import { criarVoz } from './voz.js';
import { COLUNAS, LINHAS } from './encaixe.js';
import { criarJanela } from './janela.js';
import { criarLetra } from './letra.js';
import { FAMILIA } from './medida.js';
import { criarPassagem } from './passagem.js';
import { dadosDaTecla, dadosDoBotao } from './teclas.js';

Terminal.strings.promptLabel = 'Entrada do terminal';
Terminal.strings.tooMuchOutput = MUITO_TEXTO;

const passagem = criarPassagem();
const letra = criarLetra();
const janela = criarJanela(passagem.proposta, letra.escala);

// Start-up in steps, each a task of its own, so that none holds the page
// long: the layout; the terminal; the first game; the terminal opened
// once its style is there, and fitted to the window; the keys passed to
// it.
const proximaTarefa = () => new Promise((seguir) => setTimeout(seguir, 0));
const fonte = janela.fonteInicial(16);
await proximaTarefa();

const terminal = new Terminal({
  cols: COLUNAS,
  rows: LINHAS,
  convertEol: true, // the game's line ends, as a tty's ONLCR gives them
  screenReaderMode: true,
  fontFamily: FAMILIA,
  fontSize: fonte,
  scrollback: 1000,
});
window.terminalDoJogo = terminal; // a hook for the browser tests
const voz = criarVoz(terminal, document.getElementById('fala'));
letra.ligar({ mudou: janela.reaplicar, anunciar: voz.anunciar });
// Resolved once the first game waits, its screen parsed, or has ended.
let primeiraTela; // its resolver
const telaPronta = new Promise((pronta) => (primeiraTela = pronta));

// The game waits for the user: the voice says the screen, and the first
// screen is ready.
function aoEsperar() {
  voz.jogoEspera();
  terminal.write('', primeiraTela);
}

let disciplina = null; // the running game's; null between games

async function novoJogo() {
  terminal.reset();
  voz.novoJogo();
  const atual = criarDisciplina({
    eco: (texto) => terminal.write(texto),
    coluna: () => terminal.buffer.active.cursorX,
  });
  disciplina = atual;
  const mensagem = await jogar({
    disciplina: atual,
    esperar: aoEsperar,
    escrever: (bytes) => {
      voz.jogoEscreveu(bytes);
      terminal.write(bytes);
    },
  });
  primeiraTela();
  // Keys never go to a game that has stopped: the next one starts a game.
  disciplina = null;
  const fim = `${mensagem} Pressione uma tecla ou toque na tela para jogar de novo.`;
  terminal.write(`\n\x1b[7m ${fim} \x1b[0m`);
  voz.anunciar(fim);
}

// Keys typed before the first screen is on the terminal wait, in order,
// behind those typed on the page's first paint.
function teclar(dados) {
  if (passagem.guardar(dados)) return;
  if (disciplina !== null) disciplina.teclas(dados);
  else novoJogo();
}

terminal.onData(teclar);

// Shift-Tab leaves the terminal, so that it traps no keyboard (Tab itself
// is typed: a blank between two numbers).
terminal.attachCustomKeyEventHandler((e) => !(e.key === 'Tab' && e.shiftKey));

// A screen reader's review may leave the focus on a row of the terminal's
// accessibility tree; a key typed there still reaches the game, and the
// focus goes back to the terminal's input.
function teclarNaRevisao(evento) {
  if (evento.target === terminal.textarea) return;
  const tecla = dadosDaTecla(evento);
  terminal.focus();
  if (tecla === null) return;
  evento.preventDefault();
  teclar(tecla);
}

// The first game starts before the terminal opens, and the terminal opens
// once it has parsed the game's first screen, so that its first drawing is
// the menu; a slow download holds it a moment at most. The terminal's
// style comes after the first paint: the terminal waits for it.
await proximaTarefa();
novoJogo();
// A tap on the terminal starts a game where none runs: listened for once
// the first has started, which a tap between two tasks would double.
document.getElementById('terminal').addEventListener('pointerdown', () => {
  if (disciplina === null) novoJogo();
});
const estilo = document.getElementById('estilo-do-terminal');
await Promise.all([
  Promise.race([telaPronta, new Promise((passou) => setTimeout(passou, 100))]),
  estilo.sheet ??
    new Promise((chegou) => {
      estilo.addEventListener('load', chegou);
      estilo.addEventListener('error', chegou); // then unstyled, rather than never
    }),
]);
passagem.abrir();
terminal.open(document.getElementById('terminal'));
voz.silenciarXterm();
janela.ajustar(terminal); // the page shows, the menu in it
await proximaTarefa();

// The keys pass to the terminal in one task: the first paint keeps them
// until the terminal has the focus.
passagem.passarTeclas();
terminal.element.addEventListener('keydown', teclarNaRevisao, true);
for (const botao of document.querySelectorAll('#teclas button')) {
  // The terminal keeps the focus, so a keyboard goes on typing into it.
  botao.addEventListener('pointerdown', (evento) => evento.preventDefault());
  botao.addEventListener('click', () => teclar(dadosDoBotao(botao)));
}
terminal.focus();
telaPronta.then(() => {
  // The copy over the terminal goes in the next frame the terminal draws,
  // the game's own first screen there; the cursor's row is drawn again for
  // it, since that screen may have been drawn in a frame before this.
  const desenhada = terminal.onRender(() => {
    desenhada.dispose();
    passagem.desenhada();
    voz.primeiraTelaDesenhada();
  });
  const { cursorY } = terminal.buffer.active;
  terminal.refresh(cursorY, cursorY);
  for (const dados of passagem.entregar()) teclar(dados);
  guardarParaOffline(); // the offline copy once the first menu is on the page
});
