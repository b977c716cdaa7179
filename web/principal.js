// The page: an 80x25 terminal, the on-screen keys, and one game after
// another, each a fresh instance of the WebAssembly game.
import { Terminal } from './xterm.js';
import { criarDisciplina } from './disciplina.js';
import { MUITO_TEXTO, narrar, prosa } from './narrador.js';
import { baixar, wasm } from './carga.js';

const COLUNAS = 80;
const LINHAS = 25;
const FONTE_LEGIVEL = 12; // below it, a narrow window pans the frame instead

Terminal.strings.promptLabel = 'Entrada do terminal';
Terminal.strings.tooMuchOutput = MUITO_TEXTO;

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

// The page's live region speaks for the game; xterm's own would read the
// towers' drawing cell by cell, and say every row a second time. Its rows
// stay in the accessibility tree, for a screen reader's review keys.
const regiaoDoXterm = terminal.element.querySelector('.live-region');
regiaoDoXterm.setAttribute('aria-live', 'off');
regiaoDoXterm.setAttribute('aria-hidden', 'true');
const fala = document.getElementById('fala');
let escrito = ''; // what the game wrote since it last waited
let anterior = null; // the board said last in this game
const decodificar = new TextDecoder();
// Screen readers drop what a live region gets in the burst of events of
// a page's load: the first words wait until the page has settled.
const assentada = new Promise((pronta) =>
  window.addEventListener('load', () => setTimeout(pronta, 1000), { once: true }),
);
let vez = 0;

// The screen from its top to the cursor, as it shows.
function linhasDaTela() {
  const b = terminal.buffer.active;
  const linhas = [];
  for (let i = b.viewportY; i <= b.baseY + b.cursorY; i++) {
    linhas.push((b.getLine(i)?.translateToString(true) ?? '').trimEnd());
  }
  return linhas;
}

function dizer(texto) {
  const esta = ++vez;
  assentada.then(() => {
    // Emptied first, so that the same words twice are said twice.
    fala.textContent = '';
    setTimeout(() => {
      if (esta === vez) fala.textContent = texto;
    }, 50);
  });
}

// Called when the game waits: the board said by the narrator, or what the
// game wrote, once xterm has drawn it.
function falar() {
  const texto = escrito;
  escrito = '';
  if (texto === '') return;
  terminal.write('', () => {
    const narrado = narrar(linhasDaTela(), anterior);
    anterior = narrado?.tabuleiro ?? null;
    dizer(narrado?.fala ?? prosa(texto));
  });
}

// A touch screen's own keyboard would cover half the game, and the keys
// on the page give all it reads; a hardware keyboard still types.
const toque = matchMedia('(pointer: coarse)');
function teclado() {
  if (toque.matches) terminal.textarea.setAttribute('inputmode', 'none');
  else terminal.textarea.removeAttribute('inputmode');
}
teclado();
toque.addEventListener('change', teclado);

const pagina = document.querySelector('main');
const moldura = document.getElementById('moldura');
const controles = document.getElementById('controles');
const girar = document.getElementById('girar');
const tela = terminal.element.querySelector('.xterm-screen');

// Where the frame pans, it follows the cursor.
let pana = false; // the frame narrower than the terminal
function mostrarCursor() {
  if (!pana) return;
  const coluna = tela.getBoundingClientRect().width / COLUNAS;
  const x = terminal.buffer.active.cursorX * coluna;
  const visivel = moldura.clientWidth;
  if (x < moldura.scrollLeft) moldura.scrollLeft = x < visivel - coluna ? 0 : x - visivel / 2;
  else if (x + 2 * coluna > moldura.scrollLeft + visivel)
    moldura.scrollLeft = x + 2 * coluna - visivel;
}
terminal.onCursorMove(mostrarCursor);

// The largest font with which the whole terminal and the keys fit the
// window, with the keys below the terminal or beside it, whichever gives
// the larger font. Where that is not legible because the window is
// narrow, the font stays legible and the frame pans sideways.
function ajustar() {
  const estilo = getComputedStyle(pagina);
  const margem = 2 * parseFloat(estilo.paddingLeft);
  const vao = parseFloat(estilo.columnGap);
  const largura = document.documentElement.clientWidth - margem;
  const altura = document.documentElement.clientHeight - margem;
  girar.hidden = true;
  const cabe = (lado) => {
    pagina.classList.toggle('ao-lado', lado);
    const caixa = controles.getBoundingClientRect();
    return lado
      ? { largura: largura - caixa.width - vao, altura }
      : { largura, altura: altura - caixa.height - vao };
  };
  const fonte = (espaco, tamanho) => {
    const caixa = tela.getBoundingClientRect();
    return Math.min(
      (espaco.largura * tamanho) / caixa.width,
      (espaco.altura * tamanho) / caixa.height,
    );
  };
  const tamanho = terminal.options.fontSize;
  const abaixo = cabe(false);
  const aoLado = cabe(true);
  const lado = fonte(aoLado, tamanho) > fonte(abaixo, tamanho);
  pagina.classList.toggle('ao-lado', lado);
  let espaco = lado ? aoLado : abaixo;
  let alvo = Math.floor(fonte(espaco, tamanho) * 4) / 4;
  const panorama = !lado && alvo < FONTE_LEGIVEL;
  if (panorama) {
    girar.hidden = false; // the hint to turn the phone, under the keys
    espaco = cabe(false);
    const altura = (espaco.altura * tamanho) / tela.getBoundingClientRect().height;
    alvo = Math.min(FONTE_LEGIVEL, Math.floor(altura * 4) / 4);
  }
  // Cells are whole device pixels, so the proportion is only a first
  // guess: the largest size that fits is found by quarter steps from it.
  const serve = (t) => {
    terminal.options.fontSize = t;
    const larga = tela.getBoundingClientRect().width;
    const alta = moldura.getBoundingClientRect().height; // with its scroll bar, if it pans
    return (panorama || larga <= espaco.largura) && alta <= espaco.altura;
  };
  if (serve(alvo)) {
    while (!(panorama && alvo >= FONTE_LEGIVEL) && serve(alvo + 0.25)) alvo += 0.25;
  } else {
    while (alvo > 1 && !serve(alvo - 0.25)) alvo -= 0.25;
    alvo -= 0.25;
  }
  terminal.options.fontSize = Math.max(alvo, 1);
  pana = tela.getBoundingClientRect().width > moldura.clientWidth;
  mostrarCursor();
  pagina.classList.add('pronta');
}
ajustar();
window.addEventListener('resize', ajustar);

// The wasm is compiled once; every game instantiates it afresh, so that
// no state of one game reaches the next. A host whose type table predates
// WebAssembly sends it as application/octet-stream, which streaming
// compilation refuses: the same bytes are then compiled whole.
async function compilar(download) {
  const resposta = await download;
  if (!resposta.ok) throw new Error(`torre-de-hanoi.wasm: HTTP ${resposta.status}`);
  const tipo = (resposta.headers.get('Content-Type') ?? '').split(';')[0].trim();
  if (tipo === 'application/wasm') return WebAssembly.compileStreaming(resposta);
  return WebAssembly.compile(await resposta.arrayBuffer());
}

// What a failed load left behind is dropped: the next try downloads again.
let tentativas = 0;
let carga = null;
function carregar() {
  if (carga) return carga;
  tentativas++;
  const download = tentativas === 1 ? wasm : baixar();
  // A new query string, so that a script that failed is asked for again.
  const cola = import(
    tentativas === 1 ? './torre-de-hanoi.js' : `./torre-de-hanoi.js?tentativa=${tentativas}`
  );
  carga = Promise.all([compilar(download), cola]).catch((erro) => {
    carga = null;
    throw Object.assign(erro, { carga: true });
  });
  return carga;
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

// Runs one game to its end; its exit status, or a sentence saying what
// went wrong (the console gets the detail).
async function jogar(atual) {
  const parou = new Promise((_, rejeitar) => {
    pararJogo = rejeitar;
  });
  try {
    const [modulo, { default: criarJogo }] = await carregar();
    const jogo = await Promise.race([
      criarJogo({
        torre: {
          ler: (maximo) => {
            falar();
            return atual.ler(maximo);
          },
          pausar: () => {
            falar();
            return atual.pausar();
          },
          escrever: (bytes) => {
            escrito += decodificar.decode(bytes, { stream: true });
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
    guardarSite();
    return mensagemDoFim(await Promise.race([fim, parou]));
  } catch (erro) {
    if (erro?.name === 'ExitStatus') return mensagemDoFim(erro.status);
    console.error('torre-de-hanoi:', erro);
    return erro?.carga ? 'Não foi possível carregar o jogo.' : 'O jogo parou com um erro.';
  } finally {
    pararJogo = null;
  }
}

async function novoJogo() {
  terminal.reset();
  escrito = '';
  anterior = null;
  const atual = criarDisciplina({
    eco: (texto) => terminal.write(texto),
    coluna: () => terminal.buffer.active.cursorX,
  });
  disciplina = atual;
  const mensagem = await jogar(atual);
  // Keys never go to a game that has stopped: the next one starts a game.
  disciplina = null;
  const fim = `${mensagem} Pressione uma tecla ou toque na tela para jogar de novo.`;
  terminal.write(`\n\x1b[7m ${fim} \x1b[0m`);
  dizer(fim);
}

function teclar(dados) {
  if (disciplina !== null) {
    disciplina.teclas(dados);
  } else {
    novoJogo();
  }
}

terminal.onData(teclar);

// Shift-Tab leaves the terminal, so that it traps no keyboard (Tab itself
// is typed: a blank between two numbers).
terminal.attachCustomKeyEventHandler((e) => !(e.key === 'Tab' && e.shiftKey));

// A screen reader's review may leave the focus on a row of the terminal's
// accessibility tree; a key typed there still reaches the game, and the
// focus goes back to the terminal's input.
const TECLAS_DO_JOGO = { Enter: '\r', Backspace: '\x7f', Tab: '\t' };
terminal.element.addEventListener(
  'keydown',
  (evento) => {
    if (evento.target === terminal.textarea) return;
    const tecla =
      TECLAS_DO_JOGO[evento.key] ??
      (evento.key.length === 1 && !evento.ctrlKey && !evento.altKey ? evento.key : null);
    terminal.focus();
    if (tecla === null || evento.metaKey || (evento.key === 'Tab' && evento.shiftKey)) return;
    evento.preventDefault();
    teclar(tecla);
  },
  true,
);
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
