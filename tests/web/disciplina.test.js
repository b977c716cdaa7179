// The page's line discipline, against what a tty does.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { criarDisciplina } from '../../web/disciplina.js';
import { dadosDaTecla } from '../../web/teclas.js';
import { criarModelo, escrever } from '../../web/modelo.js';

const texto = (bytes) => (bytes === null ? null : new TextDecoder().decode(bytes));

// A discipline echoing onto the page's screen, after `antes` written there.
function nova(antes = '') {
  const eco = [];
  const modelo = criarModelo();
  escrever(modelo, antes);
  const d = criarDisciplina({
    eco: (t) => eco.push(t) && escrever(modelo, t),
    coluna: () => modelo.x,
  });
  return { d, eco, modelo, visto: () => eco.join('') };
}

test('a line is echoed and handed over at Enter, and lines typed ahead queue', async () => {
  const { d, visto } = nova();
  const lendo = d.ler(4096);
  d.receber('3\t4');
  d.receber('\r1\r\n2\r');
  assert.equal(texto(await lendo), '3\t4\n'); // a tab passes as typed: two numbers
  assert.equal(visto(), '3\t4\r\n1\r\n\r\n2\r\n');
  assert.equal(texto(await d.ler(4096)), '1\n'); // CR LF pasted is two line ends, as ICRNL makes them
  assert.equal(texto(await d.ler(4096)), '\n');
  assert.equal(texto(await d.ler(1)), '2');
  assert.equal(texto(await d.ler(1)), '\n');
});

test('Backspace, Ctrl-U and Ctrl-W edit the line; a tab is erased back to its start', async () => {
  const { d, eco } = nova('::');
  d.receber('2\x7f5');
  assert.deepEqual(eco.slice(-2), ['\b \b', '5']);
  d.receber('\t\x7f'); // "5" at column 2, the tab from 3 to 8
  assert.equal(eco.at(-1), '\b'.repeat(5));
  d.receber('\x01\x7f'); // ^A took two columns
  assert.equal(eco.at(-1), '\b \b\b \b');
  d.receber(' 7 8\x17\x15\x7f9\r');
  assert.equal(texto(await d.ler(100)), '9\n');
});

test('Ctrl-W erases a run of letters, digits and _, after what else stands before it', async () => {
  const { d } = nova();
  d.receber('1,3\x17\r'); // the 3 only
  d.receber('ab c_2é, \x17\r'); // ", " then "c_2é"
  d.receber('x\x17\x17\r');
  assert.deepEqual(
    [texto(await d.ler(100)), texto(await d.ler(100)), texto(await d.ler(100))],
    ['1,\n', 'ab \n', '\n'],
  );
});

test('arrow, function and Escape keys reach neither the line nor the echo, nor does Ctrl-Z', async () => {
  const { d, visto } = nova();
  d.receber('\x1b[A1\x1bOP\x1b[15~\x1b\x1a\x1b[1;5C2\r');
  assert.equal(texto(await d.ler(100)), '12\n');
  assert.equal(visto(), '12\r\n');
  // Pasted C1 controls: CSI (U+009B) would clear the screen, SS3 and NEL
  // are dropped as well.
  d.receber('\u009b2J3\u008fQ\u00854\r');
  assert.equal(texto(await d.ler(100)), '34\n');
  assert.equal(visto(), '12\r\n34\r\n');
  // Alt with a character beyond U+FFFF, or SS3 before one, goes whole.
  d.receber('\x1b😀\u008f😀5\r');
  assert.equal(texto(await d.ler(100)), '5\n');
});

test('a wide character and one beyond U+FFFF are echoed, and erased over both columns', async () => {
  const { d, eco } = nova();
  d.receber('漢\x7f😀\x7f𠀀\r');
  assert.deepEqual(eco.slice(0, 4), ['漢', '\b \b\b \b', '😀', '\b \b\b \b']);
  assert.equal(texto(await d.ler(100)), '𠀀\n');
});

test('a mark is erased as drawn: its own cell at the start or after a tab, else with its letter', () => {
  const { d, modelo } = nova();
  d.receber('\u0301\x7f\t\u0301\x7fa\u0301\x7f\x7f');
  assert.equal(modelo.grade[0].texto.slice(0, 10).join(''), ' '.repeat(10));
  assert.equal(modelo.x, 8); // after the tab
});

test('the game takes only the Ctrl keys its discipline acts on; the browser keeps the rest', () => {
  const ctrl = (key, mais = {}) => dadosDaTecla({ key, ctrlKey: true, ...mais });
  assert.deepEqual(
    ['c', 'C', 'd', 'h', 'i', 'j', 'm', 'u', 'w', '\\', 'z'].map((k) => ctrl(k)),
    ['\x03', '\x03', '\x04', '\b', '\t', '\n', '\r', '\x15', '\x17', '\x1c', '\x1a'],
  );
  for (const k of ['f', 'p', 's', 'r', 'g', 'o', 'e', 'a', 'v', 'Insert', '[']) {
    assert.equal(ctrl(k), null, `Ctrl+${k}`);
  }
  assert.equal(dadosDaTecla({ key: 'Insert', shiftKey: true }), null); // Shift+Insert pastes
  assert.equal(dadosDaTecla({ key: 'c', ctrlKey: true, shiftKey: true }), null);
});

test('Ctrl-D ends the input on an empty line, and hands over a started one as it is', async () => {
  const { d, visto } = nova();
  d.receber('12\x04\x04');
  assert.equal(texto(await d.ler(100)), '12');
  assert.equal((await d.ler(100)).length, 0);
  assert.equal(visto(), '12');
});

test('Ctrl-C interrupts a read, a pause and everything after', async () => {
  const { d, visto } = nova();
  const lendo = d.ler(100);
  d.receber('4\x035\r');
  assert.equal(await lendo, null);
  assert.equal(visto(), '4^C\r\n');
  assert.equal(await d.ler(100), null);
  assert.equal(await d.pausar(), false);

  const outra = nova().d;
  const pausa = outra.pausar();
  outra.receber('\x1c'); // Ctrl-\ too
  assert.equal(await pausa, false);
});

test('the pause drops what came before it and takes exactly one key, unechoed', async () => {
  const { d, visto } = nova();
  d.receber('2\r3');
  const pausa = d.pausar();
  let acabou = false;
  pausa.then(() => (acabou = true));
  await null;
  assert.equal(acabou, false);
  d.receber('\x1b[B5\r'); // the arrow is the key; what follows is typed ahead
  assert.equal(await pausa, true);
  assert.equal(texto(await d.ler(100)), '5\n');
  assert.equal(visto(), '2\r\n35\r\n');
});
