// The game's files, downloaded and compiled as soon as this module is
// parsed (a preload link would do it too, but WebKit then downloads the
// wasm twice); every game instantiates the module afresh.

// A host whose type table predates WebAssembly sends another type, which
// streaming compilation refuses, and Safari before 15 has none: the bytes
// are then compiled whole. A compile that fails is this browser's, which
// no new download mends (`navegador`).
async function compilar(download) {
  const resposta = await download;
  if (!resposta.ok) throw new Error(`torre-de-hanoi.wasm: HTTP ${resposta.status}`);
  const tipo = (resposta.headers.get('Content-Type') ?? '').split(';')[0].trim();
  try {
    if (tipo === 'application/wasm' && WebAssembly.compileStreaming) {
      return await WebAssembly.compileStreaming(resposta);
    }
    return await WebAssembly.compile(await resposta.arrayBuffer());
  } catch (erro) {
    throw Object.assign(erro, { navegador: erro instanceof WebAssembly.CompileError });
  }
}

let tentativas = 0;
function baixarECompilar() {
  // A new query string, so that a script that failed is asked for again.
  const cola = './torre-de-hanoi.js' + (tentativas++ ? `?tentativa=${tentativas}` : '');
  const wasm = compilar(fetch(new URL('torre-de-hanoi.wasm', import.meta.url)));
  const carga = Promise.all([wasm, import(cola)]).catch((erro) => {
    atual = null; // what a failed load left behind is dropped
    throw Object.assign(erro, { carga: true });
  });
  carga.catch(() => {}); // said by the game that asks for it
  return carga;
}
let atual = baixarECompilar();

// The compiled module and the game's script; after an error (`carga`,
// and `navegador` where this browser cannot compile the game), anew.
export const carregar = () => (atual ??= baixarECompilar());

// The service worker fetches every file, so once the menu is up and idle.
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
