// The page's live region (#fala): a sentence said once. Emptied first, so
// that the same words twice are said twice; emptied again once spoken, so
// that a screen reader's browse mode finds the screen alone, not the
// sentence after it.
const DITA = 4000; // ms the sentence stays: long after any reader took it
let vez = 0; // the latest sentence; an older one still pending is dropped

export function anunciar(texto) {
  const esta = ++vez;
  const regiao = document.getElementById('fala');
  regiao.textContent = '';
  setTimeout(() => esta === vez && (regiao.textContent = texto), 50);
  setTimeout(() => esta === vez && (regiao.textContent = ''), 50 + DITA);
}
