// The hand-over of the keys from the first paint to the terminal, with a
// document that is only an event target: no key is lost or given twice,
// whichever task it comes in.
import { test } from 'node:test';
import assert from 'node:assert/strict';

// node's EventTarget removes no listener added with capture: the page's
// listeners all capture, so the stand-in leaves the flag out.
const alvo = new EventTarget();
globalThis.window = globalThis;
globalThis.document = {
  addEventListener: (tipo, f, opcoes) => alvo.addEventListener(tipo, f, opcoes?.once && opcoes),
  removeEventListener: (tipo, f) => alvo.removeEventListener(tipo, f),
  dispatchEvent: (evento) => alvo.dispatchEvent(evento),
  getElementById: () => null,
};
const { criarPassagem, guardarTeclas } = await import('../../web/passagem.js');

const teclar = (key) => document.dispatchEvent(Object.assign(new Event('keydown'), { key }));

test('the first paint keeps the keys until the terminal takes them, then the page does', () => {
  guardarTeclas();
  teclar('1');
  const passagem = criarPassagem();
  assert.throws(() => passagem.passarTeclas(), /keys passed when pintada/);
  passagem.abrir();
  teclar('2'); // the terminal open under the copy, not yet focused
  passagem.passarTeclas();
  teclar('3'); // the terminal's own now: not the first paint's
  assert.equal(passagem.guardar('4'), true);
  assert.deepEqual(passagem.entregar(), ['1', '2', '4']);
  assert.equal(passagem.guardar('5'), false);
  assert.throws(() => passagem.entregar(), /entregue from entregue/);
});
