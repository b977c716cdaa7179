// The keys' bytes, as a terminal sends them: their one owner, for the line
// discipline, key events and the on-screen keys (data-tecla). Each is an
// export of its own, so that a bundle holds only the bytes it uses.
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

// A key event as the game reads it, Ctrl with a letter (or @ [ \ ] ^ _)
// as its control character; null for what the browser keeps: Shift+Tab
// (it leaves), Ctrl+V, Ctrl with any other key, Ctrl+Shift, Alt and Meta.
export function dadosDaTecla({ key, ctrlKey, altKey, metaKey, shiftKey }) {
  if (metaKey || altKey || (key === 'Tab' && shiftKey)) return null;
  const caractere = [...key].length === 1;
  if (!ctrlKey) return DO_TECLADO[key] ?? (caractere ? key : null);
  if (shiftKey || key === 'v' || !caractere) return null;
  const codigo = key.toUpperCase().charCodeAt(0);
  return codigo >= 0x40 && codigo <= 0x5f ? String.fromCharCode(codigo - 0x40) : null;
}

export const dadosDoBotao = (botao) => dadosDaTecla({ key: botao.dataset.tecla });
