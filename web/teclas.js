// What each key sends, as a terminal sends it: the one owner, for the line
// discipline, key events and the on-screen keys (data-tecla). Each is an
// export of its own, so that a bundle holds only what it uses.
export const CTRL_C = '\x03';
export const CTRL_D = '\x04';
export const CTRL_H = '\b';
export const TAB = '\t';
export const LF = '\n';
export const CR = '\r'; // Enter
export const CTRL_U = '\x15';
export const CTRL_W = '\x17';
export const CTRL_Z = '\x1a';
export const ESC = '\x1b';
export const CTRL_BARRA = '\x1c'; // Ctrl-\, SIGQUIT's key
export const DEL = '\x7f'; // Backspace

// A KeyboardEvent's `key` and what a terminal sends for it.
const DO_TECLADO = { Enter: CR, Backspace: DEL, Tab: TAB, Escape: ESC };
for (const [nome, final] of Object.entries({ Up: 'A', Down: 'B', Right: 'C', Left: 'D' })) {
  DO_TECLADO[`Arrow${nome}`] = `${ESC}[${final}`;
}
for (const [nome, codigo] of Object.entries({ Insert: 2, Delete: 3, PageUp: 5, PageDown: 6 })) {
  DO_TECLADO[nome] = `${ESC}[${codigo}~`;
}

// The Ctrl keys the line discipline acts on (Tab, LF and CR among them);
// every other Ctrl or Cmd combination stays the browser's: find, print,
// save, reload.
const CTRL_DO_JOGO = 'cdhijmuwz\\';

// A key event as the game reads it, Ctrl with one of those letters as its
// control character; null for what the browser keeps: Shift+Tab (it
// leaves), Shift+Insert (a paste), Ctrl with any other key, Ctrl+Shift,
// Alt and Meta.
export function dadosDaTecla({ key, ctrlKey, altKey, metaKey, shiftKey }) {
  if (metaKey || altKey || (shiftKey && (key === 'Tab' || key === 'Insert'))) return null;
  const caractere = [...key].length === 1;
  if (!ctrlKey) return DO_TECLADO[key] ?? (caractere ? key : null);
  if (shiftKey || !caractere || !CTRL_DO_JOGO.includes(key.toLowerCase())) return null;
  return String.fromCharCode(key.toUpperCase().charCodeAt(0) - 0x40);
}

export const dadosDoBotao = (botao) => dadosDaTecla({ key: botao.dataset.tecla });
