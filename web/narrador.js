// What a screen reader hears. Speech drops the blanks that put a ring on
// its tower, so the board waiting for a move is said by tower, with its
// rings; the rest as the game wrote it. Pure: rows in, sentences out.

export const MUITO_TEXTO = 'Saída demais para ler em voz alta; percorra as linhas para lê-las.';
const LINHAS_LIDAS = 20; // beyond these, the rest is left to the review keys

const REGUA = /^\s*=+\s*$/;
const LETRAS = /^\s*A\s+B\s+C\s*$/;
const PROMPT = 'Digite opção:';

// The board on the screen, or null: for each tower its rings from the
// bottom up, the counter, and the move menu's choices.
function lerTabuleiro(linhas) {
  const i = linhas.findIndex(
    (l, k) => LETRAS.test(l) && REGUA.test(linhas[k - 1] ?? '') && REGUA.test(linhas[k + 1] ?? ''),
  );
  if (i < 1) return null;
  // A ring is drawn as <n> under its tower's letter.
  const torres = ['A', 'B', 'C'].map((letra) => {
    const coluna = linhas[i].indexOf(letra);
    const acima = linhas.slice(0, i - 1).reverse();
    const celulas = acima.map((l) => /^<(\d)>$/.exec(l.slice(coluna - 1, coluna + 2)));
    return celulas.filter(Boolean).map((celula) => Number(celula[1]));
  });
  const abaixo = linhas.slice(i + 2).join('\n');
  const contador = /Número de Movimentos: (\d+)/.exec(abaixo);
  const opcoes = (abaixo.match(/\[\d\] (?:[ABC] ==> [ABC]|SAIR)/g) ?? []).map((opcao) => {
    const [, n, de, para] = /\[(\d)\] (?:([ABC]) ==> ([ABC]))?/.exec(opcao);
    return de ? `${n}, ${de} para ${para}` : `${n}, sair`;
  });
  return { torres, movimentos: contador ? Number(contador[1]) : null, opcoes };
}

const dizerTorres = (torres) =>
  torres
    .map((argolas, k) => `Torre ${'ABC'[k]}: ${argolas.length ? argolas.join(', ') : 'vazia'}.`)
    .join(' ');

// What to say for the screen's rows (its top to the cursor) when the game
// waits, given the board said last (null at a game's start). Null with no
// board on the screen; else { tabuleiro, fala }, fala null where the prose
// says what waits.
export function narrar(linhas, dito) {
  const tabuleiro = lerTabuleiro(linhas);
  if (tabuleiro === null) return null;
  const ultima = linhas[linhas.length - 1].trim();
  const vitoria = linhas.find((l) => l.startsWith('Parabens'));
  if (vitoria) return { tabuleiro, fala: `${vitoria.trim()} ${ultima}` };
  // A prompt written again after a number out of range: nothing moved.
  const nada = dito !== null && tabuleiro.movimentos === dito.movimentos;
  if (!ultima.endsWith(PROMPT) || nada) return { tabuleiro, fala: null };
  const partes = [];
  if (dito === null) partes.push('Argolas de baixo para cima.');
  else if (dizerTorres(tabuleiro.torres) === dizerTorres(dito.torres))
    partes.push('Movimento recusado.');
  partes.push(dizerTorres(tabuleiro.torres), `Movimentos: ${tabuleiro.movimentos}.`);
  if (dito === null) partes.push(`Opções: ${tabuleiro.opcoes.join('; ')}.`);
  partes.push('Digite opção.');
  return { tabuleiro, fala: partes.join(' ') };
}

// The rows the game wrote (linhasDoTexto), as they are to be heard: no
// blank ones, cut after twenty (the last, the prompt, still said).
export function prosa(escritas) {
  const linhas = escritas.map((l) => l.replace(/\s+/g, ' ').trim()).filter((l) => l !== '');
  if (linhas.length <= LINHAS_LIDAS + 1) return linhas.join('\n');
  return [...linhas.slice(0, LINHAS_LIDAS), MUITO_TEXTO, linhas[linhas.length - 1]].join('\n');
}
