// The page: an 80x25 terminal, the on-screen keys, and one game after
// another, each a fresh instance of the WebAssembly game.
import { Terminal } from './xterm.js';
import criarJogo from './torre-de-hanoi.js';
import { criarDisciplina } from './disciplina.js';

const COLUNAS = 80;
const LINHAS = 25;
const FONTE_MAXIMA = 20;
const FONTE_MINIMA = 6;

const terminal = new Terminal({
  cols: COLUNAS,
  rows: LINHAS,
  convertEol: true, // the game's line ends, as a tty's ONLCR gives them
  screenReaderMode: true,
  fontFamily: 'monospace',
  fontSize: 16,
  scrollback: 1000,
});
window.terminal = terminal; // for browser tests
terminal.open(document.getElementById('terminal'));

// The largest font with which 80 columns fit the window's width.
function ajustarFonte() {
  const largura = document.getElementById('terminal').clientWidth;
  const tela = terminal.element.querySelector('.xterm-screen');
  for (let i = 0; i < 4; i++) {
    const atual = tela.getBoundingClientRect().width;
    if (atual === 0) return;
    const tamanho = terminal.options.fontSize;
    let novo = Math.floor(((tamanho * largura) / atual) * 2) / 2;
    if (atual > largura && novo >= tamanho) novo = tamanho - 0.5;
    novo = Math.min(FONTE_MAXIMA, Math.max(FONTE_MINIMA, novo));
    if (novo === tamanho) return;
    terminal.options.fontSize = novo;
  }
}
ajustarFonte();
window.addEventListener('resize', ajustarFonte);

// The wasm is compiled once; every game instantiates it afresh, so that
// no state of one game reaches the next.
let compilado = null;
function instanciar(importacoes, receber) {
  compilado ??= WebAssembly.compileStreaming(
    fetch(new URL('torre-de-hanoi.wasm', import.meta.url)),
  );
  compilado
    .then((modulo) => WebAssembly.instantiate(modulo, importacoes).then((i) => receber(i, modulo)))
    .catch((erro) => console.error('torre-de-hanoi:', erro));
  return {};
}

// The service worker keeps the site for offline play. It fetches every
// file, so it starts once the first menu is on the screen, not before.
let guardado = false;
function guardarSite() {
  if (guardado || !('serviceWorker' in navigator)) return;
  guardado = true;
  navigator.serviceWorker
    .register('sw.js')
    .catch((erro) => console.warn('torre-de-hanoi: sem modo offline:', erro));
}

let disciplina = null; // the running game's; null between games

function mensagemDoFim(status) {
  if (status === 128 + 2) return 'Jogo interrompido (Ctrl-C).';
  if (status === 0) return 'Fim do jogo.';
  return `O jogo terminou com erro (estado ${status}).`;
}

async function novoJogo() {
  terminal.reset();
  const atual = criarDisciplina({
    eco: (texto) => terminal.write(texto),
    coluna: () => terminal.buffer.active.cursorX,
  });
  disciplina = atual;
  let status;
  try {
    const jogo = await criarJogo({
      torre: {
        ler: atual.ler,
        pausar: atual.pausar,
        escrever: (bytes) => terminal.write(bytes),
      },
      instantiateWasm: instanciar,
      printErr: (texto) => terminal.write(`${texto}\n`),
    });
    const fim = jogo.ccall('main', 'number', [], [], { async: true });
    guardarSite();
    status = await fim;
  } catch (erro) {
    if (erro?.name !== 'ExitStatus') throw erro;
    status = erro.status;
  }
  disciplina = null;
  terminal.write(
    `\n\x1b[7m ${mensagemDoFim(status)} Pressione uma tecla ou toque na tela para jogar de novo. \x1b[0m`,
  );
}

function teclar(dados) {
  if (disciplina !== null) {
    disciplina.teclas(dados);
  } else {
    novoJogo();
  }
}

terminal.onData(teclar);
for (const botao of document.querySelectorAll('#teclas button')) {
  // The terminal keeps the focus, so a keyboard goes on typing into it.
  botao.addEventListener('pointerdown', (evento) => evento.preventDefault());
  botao.addEventListener('click', () => teclar(botao.dataset.tecla));
}
document.getElementById('terminal').addEventListener('pointerdown', () => {
  if (disciplina === null) novoJogo();
});

terminal.focus();
novoJogo();
