// One game: a fresh instance of the WebAssembly game, its reads and
// pauses through a line discipline, run to its end.
import { carregar } from './carga.js';
import { NAO_CARREGOU } from './mensagens.js';

// A trap inside the game surfaces as an uncaught error: it stops the game.
let pararJogo = null;
for (const tipo of ['error', 'unhandledrejection']) {
  window.addEventListener(tipo, (evento) => {
    const erro = evento.error ?? evento.reason;
    if (pararJogo && erro instanceof WebAssembly.RuntimeError) pararJogo(erro);
  });
}

const NAO_RODA =
  'Este navegador não consegue rodar o jogo. Atualize o navegador ou use outro mais novo, ' +
  'ou instale o jogo no computador.';

// `interrompido`: the user pressed Ctrl-C (or Ctrl-\), which ends the game.
function mensagemDoFim(status, interrompido) {
  if (interrompido) return 'Jogo interrompido (Ctrl-C).';
  if (status === 0) return 'Fim do jogo.';
  return `O jogo terminou com erro (estado ${status}).`;
}

// `esperar()` each time the game waits for the user, `escrever(bytes)`
// with what it writes; { mensagem, definitivo }: a sentence saying how it
// ended, and whether no new game can mend it (this browser cannot run it).
export async function jogar({ disciplina, esperar, escrever }) {
  const parou = new Promise((_, rejeitar) => (pararJogo = rejeitar));
  try {
    const [modulo, { default: criarJogo }] = await carregar();
    const jogo = await Promise.race([
      criarJogo({
        torre: {
          ler: (maximo) => (esperar(), disciplina.ler(maximo)),
          pausar: () => (esperar(), disciplina.pausar()),
          escrever,
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
    const status = await Promise.race([fim, parou]);
    return { mensagem: mensagemDoFim(status, disciplina.interrompida()) };
  } catch (erro) {
    if (erro?.name === 'ExitStatus') {
      return { mensagem: mensagemDoFim(erro.status, disciplina.interrompida()) };
    }
    console.error('torre-de-hanoi:', erro);
    if (erro?.navegador) return { mensagem: NAO_RODA, definitivo: true };
    return { mensagem: erro?.carga ? NAO_CARREGOU : 'O jogo parou com um erro.' };
  } finally {
    pararJogo = null;
  }
}
