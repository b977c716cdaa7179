// Before the page's modules arrive: the game's first screen, which the
// build wrote into the page, laid out at the window's font for the page's
// first paint, and the keys typed on it kept, in order, for the game. A
// classic, render-blocking script: the build makes it of encaixe.js (the
// layout: encaixar, tamanhoDaTela, the grid and the scales) and this
// file. The page's modules lay it out again with the same functions,
// which they find in window.primeiraPintura.

const FAMILIA = 'monospace'; // the terminal's font
const GUARDADA = 'torre-de-hanoi:letra'; // the letters' scale, in localStorage
let barra = null; // a horizontal scroll bar's height, once measured

// The letters' scale the student chose last, or 1 (the fitted size).
function escalaGuardada() {
  try {
    const guardada = Number(localStorage.getItem(GUARDADA));
    return ESCALAS.includes(guardada) ? guardada : 1;
  } catch {
    return 1;
  }
}

// One character's font metrics at any font, measured as the terminal
// measures them (a canvas's measureText), without laying out the page;
// null where the browser cannot. Engines round them differently
// (Chromium to the nearest pixel, Firefox up), so each font is measured,
// not scaled from one.
function metricasDoCanvas() {
  const contexto = globalThis.OffscreenCanvas && new OffscreenCanvas(1, 1).getContext('2d');
  if (!contexto || !('fontBoundingBoxAscent' in contexto.measureText('W'))) return null;
  return (fonte) => {
    contexto.font = `${fonte}px ${FAMILIA}`;
    const m = contexto.measureText('W');
    return { largura: m.width, altura: m.fontBoundingBoxAscent + m.fontBoundingBoxDescent };
  };
}

// What the layout needs of the page: the window without scroll bars of
// its own (the terminal may still be too large for it), the keys' box in
// each arrangement (they do not depend on the font) and, the first time,
// a scroll bar's height.
function medir() {
  const raiz = document.documentElement;
  const pagina = document.querySelector('main');
  const moldura = document.getElementById('moldura');
  const girar = document.getElementById('girar');
  const caixa = () => {
    const r = document.getElementById('controles').getBoundingClientRect();
    return { largura: r.width, altura: r.height };
  };
  raiz.classList.add('medindo');
  pagina.classList.remove('ao-lado');
  girar.hidden = false;
  if (barra === null) moldura.style.overflowX = 'scroll';
  const abaixoComDica = caixa();
  const janela = { largura: raiz.clientWidth, altura: raiz.clientHeight };
  if (barra === null) {
    barra = moldura.offsetHeight - moldura.clientHeight;
    moldura.style.overflowX = '';
  }
  girar.hidden = true;
  const abaixo = caixa();
  pagina.classList.add('ao-lado');
  const aoLado = caixa();
  raiz.classList.remove('medindo');
  return { janela, teclas: { abaixo, abaixoComDica, aoLado } };
}

// The layout for the window as it is, at the letters' `escala`, the keys
// placed by it.
function propor(metricas, escala) {
  const { janela, teclas } = medir();
  const pagina = document.querySelector('main');
  const estilo = getComputedStyle(pagina);
  const proposta = encaixar({
    janela,
    margem: parseFloat(estilo.paddingLeft),
    vao: parseFloat(estilo.columnGap),
    teclas,
    metricas,
    dpr: window.devicePixelRatio,
    barra,
    escala,
  });
  pagina.classList.toggle('ao-lado', proposta.aoLado);
  document.getElementById('girar').hidden = !proposta.dica;
  return proposta;
}

// Letters larger than fit: the frame keeps to the terminal's room and
// pans both ways; the page itself never scrolls.
function limitarMoldura(proposta, escala) {
  const moldura = document.getElementById('moldura');
  const maior = escala > 1;
  moldura.style.maxWidth = maior ? `${proposta.espaco.largura}px` : '';
  moldura.style.maxHeight = maior ? `${proposta.espaco.altura}px` : '';
  moldura.classList.toggle('maior', maior);
}

// The first screen in cells of the size the terminal will draw: rows of
// whole device pixels, the columns spaced to the cell's width.
function vestir(tela, proposta, metricas) {
  const caractere = metricas(proposta.fonte);
  const { largura, altura } = tamanhoDaTela(caractere, window.devicePixelRatio, COLUNAS, LINHAS);
  const medidas = {
    '--fonte': proposta.fonte,
    '--largura': largura,
    '--altura': altura,
    '--linha': altura / LINHAS,
    '--espaco': largura / COLUNAS - caractere.largura,
  };
  for (const [nome, valor] of Object.entries(medidas)) tela.style.setProperty(nome, `${valor}px`);
}

// A key as the game reads it: Enter, Backspace and Tab as a terminal
// sends them (disciplina.js's CR, DEL and TAB), a character as itself;
// null for the rest, and for Shift+Tab, which leaves the terminal.
const TECLAS_DO_JOGO = { Enter: '\r', Backspace: '\x7f', Tab: '\t' };
function dadosDaTecla(evento) {
  if (evento.metaKey || (evento.key === 'Tab' && evento.shiftKey)) return null;
  const letra = evento.key.length === 1 && !evento.ctrlKey && !evento.altKey;
  return TECLAS_DO_JOGO[evento.key] ?? (letra ? evento.key : null);
}

// Keys and on-screen keys pressed before the terminal opens.
const guardadas = [];
function guardarTecla(evento) {
  const dados = dadosDaTecla(evento);
  if (dados === null) return;
  evento.preventDefault();
  guardadas.push(dados);
}
function guardarToque(evento) {
  const botao = evento.target.closest?.('#teclas button');
  if (botao) guardadas.push(botao.dataset.tecla);
}
document.addEventListener('keydown', guardarTecla, true);
document.addEventListener('click', guardarToque, true);

const primeiraPintura = {
  // The layout's constants and its one function the modules need too.
  COLUNAS,
  LINHAS,
  PASSO,
  ESCALAS,
  metricasProporcionais,
  FAMILIA,
  GUARDADA,
  escalaGuardada,
  metricasDoCanvas,
  propor,
  limitarMoldura,
  dadosDaTecla,
  proposta: null, // the first paint's layout, where the font could be measured
  // The terminal opens: the keys kept so far, in order; from now on the
  // page takes them itself.
  soltarTeclas() {
    document.removeEventListener('keydown', guardarTecla, true);
    document.removeEventListener('click', guardarToque, true);
    return guardadas;
  },
};
window.primeiraPintura = primeiraPintura;

// The game's modules, once: the page's template holds their elements.
let carregando = false;
function carregarModulos() {
  if (carregando) return;
  carregando = true;
  const modelo = document.getElementById('modulos');
  document.head.append(document.importNode(modelo.content, true));
}

// Before the first paint, once the page is parsed: laid out and shown;
// the modules asked for after it. Where the game cannot start (aviso.js),
// nothing is. A page opened in a background tab, which gets no frames,
// asks for them a moment after it is parsed.
requestAnimationFrame(function pintar() {
  const tela = document.getElementById('primeira-tela');
  if (document.documentElement.classList.contains('sem-jogo')) return;
  if (!document.getElementById('controles')) {
    requestAnimationFrame(pintar);
    return;
  }
  setTimeout(carregarModulos, 0);
  const metricas = metricasDoCanvas();
  if (metricas === null) {
    tela?.remove(); // the terminal lays the page out itself
  } else {
    const escala = escalaGuardada();
    const proposta = propor(metricas, escala);
    limitarMoldura(proposta, escala);
    if (tela) vestir(tela, proposta, metricas);
    primeiraPintura.proposta = proposta;
    document.querySelector('main').classList.add('pronta');
  }
});
document.addEventListener('DOMContentLoaded', () => {
  if (!document.documentElement.classList.contains('sem-jogo')) setTimeout(carregarModulos, 2000);
});
