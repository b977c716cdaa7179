// The keys' bytes, as a terminal sends them: the line discipline acts on
// them, and the first paint, the page and the on-screen keys turn key
// events and key names into them. index.html's keys name their key
// (data-tecla), never its bytes. Each is a name of its own, so that a
// script bundled from here holds only the bytes it uses.

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
export const CSI_C1 = '\x9b'; // ESC [ as one C1 character
export const SS3_C1 = '\x8f'; // ESC O as one C1 character

// A key's name (a KeyboardEvent's `key`) and the bytes a terminal sends.
const DO_TECLADO = {
  Enter: CR,
  Backspace: DEL,
  Tab: TAB,
  Escape: ESC,
  ArrowUp: `${ESC}[A`,
  ArrowDown: `${ESC}[B`,
  ArrowRight: `${ESC}[C`,
  ArrowLeft: `${ESC}[D`,
  Home: `${ESC}[H`,
  End: `${ESC}[F`,
  Insert: `${ESC}[2~`,
  Delete: `${ESC}[3~`,
  PageUp: `${ESC}[5~`,
  PageDown: `${ESC}[6~`,
  F1: `${ESC}OP`,
  F2: `${ESC}OQ`,
  F3: `${ESC}OR`,
  F4: `${ESC}OS`,
};

// A key event as the game reads it: the keys above as a terminal sends
// them, a character as itself, Ctrl with a letter (or @ [ \ ] ^ _) as its
// control character; null for the rest, which the browser keeps: Shift+Tab
// (it leaves the terminal), Ctrl+V (a paste), Ctrl with any other key,
// Ctrl+Shift, Alt and Meta.
export function dadosDaTecla({ key, ctrlKey, altKey, metaKey, shiftKey }) {
  if (metaKey || altKey || (key === 'Tab' && shiftKey)) return null;
  const caractere = [...key].length === 1;
  if (ctrlKey) {
    if (shiftKey || key === 'v' || !caractere) return null;
    const codigo = key.toUpperCase().charCodeAt(0);
    return codigo >= 0x40 && codigo <= 0x5f ? String.fromCharCode(codigo - 0x40) : null;
  }
  return DO_TECLADO[key] ?? (caractere ? key : null);
}

// An on-screen key's bytes, from the key it names.
export const dadosDoBotao = (botao) => dadosDaTecla({ key: botao.dataset.tecla });
