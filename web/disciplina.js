// The line discipline a tty would give the game: echo and line editing
// until Enter hands over a line, Ctrl-D as the end of input, Ctrl-C as an
// interrupt, and the one-key pause without echo. Keys come in as xterm's
// onData strings; what the game reads goes out as UTF-8 bytes.

const LINHA_MAXIMA = 4095; // a tty's line holds no more either
const codificar = new TextEncoder();
// A word for Ctrl-W; accented letters are letters, as the kernel's own
// table has them.
const PALAVRA = /^[\p{L}\p{N}_]$/u;

// C1 controls: a terminal obeys them as it obeys escape sequences (U+009B
// is CSI), so a paste holding one must not reach the screen.
const C1 = /^[\x80-\x9f]/;

// The key at the start of `dados`: one character, or a whole escape
// sequence (arrows, function keys, Alt with a key), introduced by Escape
// or by its one-character C1 form.
function proximaTecla(dados) {
  let i = 1; // where the sequence's body starts
  if (dados[0] === '\x1b' && dados.length > 1) {
    i = 2;
    if (dados[1] !== '[' && dados[1] !== 'O') return dados.slice(0, 2);
  } else if (dados[0] !== '\x9b' && dados[0] !== '\x8f') {
    return String.fromCodePoint(dados.codePointAt(0));
  }
  // SS3 takes one more character; CSI parameters, then a final from @ to ~.
  if (dados[i - 1] === 'O' || dados[0] === '\x8f') return dados.slice(0, i + 1);
  while (i < dados.length && !(dados[i] >= '@' && dados[i] <= '~')) i++;
  return dados.slice(0, i + 1);
}

// East Asian wide characters (CJK, Hangul, full-width forms, most emoji)
// take two columns.
const LARGOS = [
  [0x1100, 0x115f],
  [0x2e80, 0x303e],
  [0x3041, 0xa4cf],
  [0xac00, 0xd7a3],
  [0xf900, 0xfaff],
  [0xfe30, 0xfe4f],
  [0xff00, 0xff60],
  [0xffe0, 0xffe6],
  [0x1f300, 0x1f64f],
  [0x1f900, 0x1f9ff],
  [0x20000, 0x3fffd],
];

// Columns a character takes on the screen when echoed at column `coluna`.
function largura(caractere, coluna) {
  if (caractere === '\t') return 8 - (coluna % 8);
  if (caractere < ' ') return 2; // a control character echoes as ^X
  const c = caractere.codePointAt(0);
  return LARGOS.some(([de, ate]) => c >= de && c <= ate) ? 2 : 1;
}

function ecoDe(caractere) {
  if (caractere === '\t' || caractere >= ' ') return caractere;
  return '^' + String.fromCharCode(caractere.charCodeAt(0) + 64);
}

// eco(texto) writes to the screen; coluna() tells where the cursor stands,
// so that erasing a tab goes back to where the tab began.
export function criarDisciplina({ eco, coluna = () => 0 }) {
  let linha = []; // characters typed since the last line was handed over
  let inicio = null; // the column where the line began, once known
  let prontas = []; // lines handed over and not yet read; null is an end of input
  let leitor = null; // a pending read: { maximo, resolver }
  let pausa = null; // the pending pause's resolver
  let interrompida = false;

  function atender() {
    if (leitor === null) return;
    if (interrompida) {
      leitor.resolver(null);
    } else if (prontas.length > 0) {
      const primeira = prontas[0];
      if (primeira === null || primeira.length <= leitor.maximo) {
        prontas.shift();
        leitor.resolver(primeira === null ? new Uint8Array(0) : primeira);
      } else {
        prontas[0] = primeira.subarray(leitor.maximo);
        leitor.resolver(primeira.subarray(0, leitor.maximo));
      }
    } else {
      return;
    }
    leitor = null;
  }

  function entregar(texto) {
    prontas.push(texto === null ? null : codificar.encode(texto));
    linha = [];
    inicio = null;
    atender();
  }

  function apagar() {
    if (linha.length === 0) return;
    let col = inicio;
    for (const c of linha.slice(0, -1)) col += largura(c, col);
    const ultimo = linha.pop();
    const n = largura(ultimo, col);
    // A tab is only a cursor move: going back over it is enough.
    eco(ultimo === '\t' ? '\b'.repeat(n) : '\b \b'.repeat(n));
  }

  function interromper(tecla) {
    eco(ecoDe(tecla) + '\r\n');
    interrompida = true;
    linha = [];
    prontas = [];
    if (pausa !== null) pausa(false);
    pausa = null;
    atender();
  }

  function tecla(t) {
    if (t === '\x03' || t === '\x1c') return interromper(t); // Ctrl-C, Ctrl-\
    if (pausa !== null) {
      const fim = pausa;
      pausa = null;
      fim(true);
      return;
    }
    // Keys (escape sequences; a character beyond U+FFFF is two code units,
    // not a sequence), C1 controls, and Ctrl-Z: no job control here.
    const sequencia = t.length > 1 && t.codePointAt(0) <= 0xffff;
    if (sequencia || t === '\x1b' || t === '\x1a' || C1.test(t)) return;
    // Ctrl-H erases too, where a tty would pass it on: some keyboards
    // send it for Backspace.
    if (t === '\x7f' || t === '\b') return apagar();
    if (t === '\x15') {
      while (linha.length > 0) apagar(); // Ctrl-U
      return;
    }
    if (t === '\x17') {
      // Ctrl-W as Linux erases: whatever is not a word character before
      // the cursor, then a run of letters, digits and _ ("1,3" leaves "1,").
      while (linha.length > 0 && !PALAVRA.test(linha.at(-1))) apagar();
      while (linha.length > 0 && PALAVRA.test(linha.at(-1))) apagar();
      return;
    }
    // CR is a line end as NL is (ICRNL): CR LF pasted is two of them.
    if (t === '\r' || t === '\n') {
      eco('\r\n');
      entregar(linha.join('') + '\n');
      return;
    }
    if (t === '\x04') {
      // At the start of a line the end of input; otherwise the line as it is.
      entregar(linha.length === 0 ? null : linha.join(''));
      return;
    }
    if (linha.length >= LINHA_MAXIMA) return;
    if (inicio === null) inicio = coluna();
    linha.push(t);
    eco(ecoDe(t));
  }

  return {
    // What the user typed: a key, several, or a pasted text.
    teclas(dados) {
      while (dados.length > 0 && !interrompida) {
        const t = proximaTecla(dados);
        dados = dados.slice(t.length);
        tecla(t);
      }
    },

    // Up to `maximo` bytes of the next line; an empty array at the end of
    // input, null once interrupted.
    ler(maximo) {
      return new Promise((resolver) => {
        leitor = { maximo, resolver };
        atender();
      });
    },

    // One key, without echo; true once it came, false when interrupted.
    // Whatever was typed before is dropped, as TCSAFLUSH drops it.
    pausar() {
      linha = [];
      inicio = null;
      prontas = [];
      return new Promise((resolver) => {
        if (interrompida) return resolver(false);
        pausa = resolver;
      });
    },
  };
}
