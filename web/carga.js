// The game's files. The wasm's download and compile start as soon as this
// module is parsed, beside the page's other modules, not when the page
// first asks for them; every game instantiates the compiled module afresh, so that no
// state of one game reaches the next. A preload link would start the
// download too, but WebKit then downloads the file twice.

// A host whose type table predates WebAssembly sends it as
// application/octet-stream, which streaming compilation refuses: the same
// bytes are then compiled whole.
async function compilar(download) {
  const resposta = await download;
  if (!resposta.ok) throw new Error(`torre-de-hanoi.wasm: HTTP ${resposta.status}`);
  const tipo = (resposta.headers.get('Content-Type') ?? '').split(';')[0].trim();
  if (tipo === 'application/wasm') return WebAssembly.compileStreaming(resposta);
  return WebAssembly.compile(await resposta.arrayBuffer());
}

let tentativas = 0;
function baixarECompilar() {
  tentativas++;
  // A new query string, so that a script that failed is asked for again.
  const cola = import(
    tentativas === 1 ? './torre-de-hanoi.js' : `./torre-de-hanoi.js?tentativa=${tentativas}`
  );
  const carga = Promise.all([
    compilar(fetch(new URL('torre-de-hanoi.wasm', import.meta.url))),
    cola,
  ]).catch((erro) => {
    atual = null; // what a failed load left behind is dropped
    throw Object.assign(erro, { carga: true });
  });
  carga.catch(() => {}); // said by the game that asks for it
  return carga;
}
let atual = baixarECompilar();

// The compiled module and the game's script module; on a failure, an
// error marked `carga`, and the next call downloads again.
export const carregar = () => (atual ??= baixarECompilar());

// The service worker keeps every file for offline play. It fetches them
// all, so it waits until the first menu has been painted and the browser
// is idle.
let guardado = false;
export function guardarParaOffline() {
  if (guardado || !('serviceWorker' in navigator)) return;
  guardado = true;
  const registrar = () =>
    navigator.serviceWorker
      .register('sw.js')
      .catch((erro) => console.warn('torre-de-hanoi: sem modo offline:', erro));
  requestAnimationFrame(() => {
    if (window.requestIdleCallback) requestIdleCallback(registrar, { timeout: 2000 });
    else setTimeout(registrar, 1);
  });
}
