// The page: an 80x25 terminal, the on-screen keys, and one game after
// another, each a fresh instance of the WebAssembly game. Here the parts
// meet: a key goes through the line discipline to the running game (or
// starts a new one), and what the game writes goes to the terminal and to
// the voice. The layout is in janela.js, the speech in voz.js, the loading
// in carga.js.
import { Terminal } from './xterm.js';
import { criarDisciplina } from './disciplina.js';
import { MUITO_TEXTO } from './narrador.js';
import { carregar, guardarParaOffline } from './carga.js';
import { criarVoz } from './voz.js';
import { ajustarAJanela, leiauteInicial, mudarLetra, letraAjustada, FAMILIA } from './janela.js';

// 128 + SIGINT, the status plataforma_web.cpp exits with on Ctrl-C.
const STATUS_CTRL_C = 128 + 2;

Terminal.strings.promptLabel = 'Entrada do terminal';
Terminal.strings.tooMuchOutput = MUITO_TEXTO;

// Start-up in steps, each a task of its own, so that none holds the page
// long: the layout; the terminal and the first game; the terminal opened.
const fonte = leiauteInicial(16);
await new Promise((seguir) => setTimeout(seguir, 0));

const terminal = new Terminal({
  cols: window.primeiraPintura.COLUNAS,
  rows: window.primeiraPintura.LINHAS,
  convertEol: true, // the game's line ends, as a tty's ONLCR gives them
  screenReaderMode: true,
  fontFamily: FAMILIA,
  fontSize: fonte,
  scrollback: 1000,
});
window.terminalDoJogo = terminal; // a hook for the browser tests
const voz = criarVoz(terminal, document.getElementById('fala'));
// Resolved once the first game waits, its screen parsed, or has ended.
let primeiraTela; // its resolver
const telaPronta = new Promise((pronta) => (primeiraTela = pronta));

// The game waits for the user: the voice says the screen, and the first
// screen is ready.
function aoEsperar() {
  voz.jogoEspera();
  terminal.write('', primeiraTela);
}

// A trap inside the game surfaces as an error nobody catches: it stops
// the running game.
let pararJogo = null;
for (const tipo of ['error', 'unhandledrejection']) {
  window.addEventListener(tipo, (evento) => {
    const erro = evento.error ?? evento.reason;
    if (pararJogo && erro instanceof WebAssembly.RuntimeError) pararJogo(erro);
  });
}

function mensagemDoFim(status) {
  if (status === STATUS_CTRL_C) return 'Jogo interrompido (Ctrl-C).';
  if (status === 0) return 'Fim do jogo.';
  return `O jogo terminou com erro (estado ${status}).`;
}

// Runs one game to its end, reading through `disciplina`; a sentence
// saying how it ended (the console gets the detail of an error).
async function jogar(disciplina) {
  const parou = new Promise((_, rejeitar) => {
    pararJogo = rejeitar;
  });
  try {
    const [modulo, { default: criarJogo }] = await carregar();
    const jogo = await Promise.race([
      criarJogo({
        torre: {
          ler: (maximo) => {
            aoEsperar();
            return disciplina.ler(maximo);
          },
          pausar: () => {
            aoEsperar();
            return disciplina.pausar();
          },
          escrever: (bytes) => {
            voz.jogoEscreveu(bytes);
            terminal.write(bytes);
          },
        },
        instantiateWasm: (importacoes, receber) => {
          WebAssembly.instantiate(modulo, importacoes).then((i) => receber(i, modulo), pararJogo);
          return {};
        },
        printErr: (texto) => console.error('torre-de-hanoi:', texto),
      }),
      parou,
    ]);
    const fim = jogo.ccall('main', 'number', [], [], { async: true });
    return mensagemDoFim(await Promise.race([fim, parou]));
  } catch (erro) {
    if (erro?.name === 'ExitStatus') return mensagemDoFim(erro.status);
    console.error('torre-de-hanoi:', erro);
    return erro?.carga ? 'Não foi possível carregar o jogo.' : 'O jogo parou com um erro.';
  } finally {
    pararJogo = null;
  }
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
  const mensagem = await jogar(atual);
  primeiraTela();
  // Keys never go to a game that has stopped: the next one starts a game.
  disciplina = null;
  const fim = `${mensagem} Pressione uma tecla ou toque na tela para jogar de novo.`;
  terminal.write(`\n\x1b[7m ${fim} \x1b[0m`);
  voz.anunciar(fim);
}

// Keys typed before the first screen is on the terminal wait, in order,
// behind those typed on the page's first paint; null once it is there.
let emEspera = [];

function teclar(dados) {
  if (emEspera !== null) emEspera.push(dados);
  else if (disciplina !== null) disciplina.teclas(dados);
  else novoJogo();
}

terminal.onData(teclar);

// Shift-Tab leaves the terminal, so that it traps no keyboard (Tab itself
// is typed: a blank between two numbers).
terminal.attachCustomKeyEventHandler((e) => !(e.key === 'Tab' && e.shiftKey));

document.getElementById('terminal').addEventListener('pointerdown', () => {
  if (disciplina === null) novoJogo();
});

// The letters' size: the buttons, and Ctrl (or Cmd) with plus, minus or
// 0, taken from the browser's zoom, which the fit to the window would
// undo. Ctrl+0 at the fitted size is left to the browser: it resets a
// zoom set from its menu. Each step is said.
function letra(passo) {
  voz.anunciar(`Letra ${mudarLetra(passo)}%`);
}
for (const botao of document.querySelectorAll('#letra button')) {
  botao.addEventListener('pointerdown', (evento) => evento.preventDefault());
  botao.addEventListener('click', () => letra(Number(botao.dataset.passo)));
}
const PASSOS_DO_ZOOM = { '+': 1, '=': 1, NumpadAdd: 1, '-': -1, _: -1, NumpadSubtract: -1 };
window.addEventListener(
  'keydown',
  (evento) => {
    if (!(evento.ctrlKey || evento.metaKey) || evento.altKey) return;
    const zero = evento.key === '0' || evento.code === 'Numpad0';
    const passo = zero ? 0 : (PASSOS_DO_ZOOM[evento.code] ?? PASSOS_DO_ZOOM[evento.key]);
    if (passo === undefined || (zero && letraAjustada())) return;
    evento.preventDefault();
    evento.stopPropagation();
    letra(passo);
  },
  { capture: true },
);

// A screen reader's review may leave the focus on a row of the terminal's
// accessibility tree; a key typed there still reaches the game, and the
// focus goes back to the terminal's input.
function teclarNaRevisao(evento) {
  if (evento.target === terminal.textarea) return;
  const tecla = window.primeiraPintura.dadosDaTecla(evento);
  terminal.focus();
  if (tecla === null) return;
  evento.preventDefault();
  teclar(tecla);
}

// The first game starts before the terminal opens, and the terminal opens
// once it has parsed the game's first screen, so that its first drawing is
// the menu; a slow download holds it a moment at most.
novoJogo();
await Promise.race([telaPronta, new Promise((passou) => setTimeout(passou, 100))]);
// The first paint's screen stays over the terminal until the terminal has
// drawn the game's own, in the same frame as it goes; the keys it kept
// go to the game once its first screen is there.
const pintada = document.getElementById('primeira-tela');
pintada?.classList.add('por-cima');
emEspera.unshift(...window.primeiraPintura.soltarTeclas());
terminal.open(document.getElementById('terminal'));
terminal.element.addEventListener('keydown', teclarNaRevisao, true);
for (const botao of document.querySelectorAll('#teclas button')) {
  // The terminal keeps the focus, so a keyboard goes on typing into it.
  botao.addEventListener('pointerdown', (evento) => evento.preventDefault());
  botao.addEventListener('click', () => teclar(botao.dataset.tecla));
}
voz.silenciarXterm();
ajustarAJanela(terminal); // the page shows, the menu in it
terminal.focus();
telaPronta.then(() => {
  const desenhada = terminal.onRender(() => {
    desenhada.dispose();
    pintada?.remove();
    voz.primeiraTelaDesenhada();
  });
  const guardadas = emEspera;
  emEspera = null;
  for (const dados of guardadas) teclar(dados);
  guardarParaOffline(); // the offline copy once the first menu is on the page
});
