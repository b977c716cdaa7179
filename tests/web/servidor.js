// A static server for the site on 127.0.0.1, compressing as a real static
// host does (gzip where the browser accepts it):
//   node tests/web/servidor.js FOLDER      prints the URL, serves until killed
import { createHash } from 'node:crypto';
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { gzipSync } from 'node:zlib';
import { extname, join, normalize } from 'node:path';
import { fileURLToPath } from 'node:url';

const TIPOS = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
};
const JA_COMPRIMIDOS = new Set(['.png']);

// Every request is logged in `pedidos` ({ caminho, status, recarga }); a file
// already held (If-None-Match with its ETag) is answered 304, so a
// download is a 200. `hospedeiro` may be changed while it serves, to act
// as less polite hosts do: another folder (a redeploy), the wasm with a
// generic type, files that browsers may keep for a while, the
// paths in `faltando` missing, those in `quebrados` a script that throws,
// or a slow network: the paths in `segurados`
// answered once `soltar` settles.
export async function servir(pasta, porta = 0) {
  const pedidos = [];
  const comprimidos = new Map(); // ETag -> the gzipped body, as a static host keeps it
  const hospedeiro = {
    pasta,
    tipoWasm: TIPOS['.wasm'],
    faltando: null,
    quebrados: null,
    segurados: null,
    maxAge: 0,
  };
  const servidor = createServer(async (pedido, resposta) => {
    // `recarga`: asked for past every cache (a service worker's cache: 'reload').
    const recarga = /\bno-cache\b/.test(pedido.headers['cache-control'] ?? '');
    const anotar = (status) => pedidos.push({ caminho: pedido.url, status, recarga });
    let caminho;
    try {
      caminho = decodeURIComponent(new URL(pedido.url, 'http://x').pathname);
    } catch {
      anotar(400); // a malformed escape such as %E0%A4%A
      resposta.writeHead(400, { 'Content-Type': 'text/plain' }).end('pedido inválido');
      return;
    }
    if (hospedeiro.segurados?.includes(caminho)) await hospedeiro.soltar;
    if (caminho.endsWith('/')) caminho += 'index.html';
    const arquivo = join(hospedeiro.pasta, normalize(caminho)); // a rooted path: no way above the folder
    const extensao = extname(arquivo);
    let corpo;
    try {
      if (hospedeiro.faltando?.includes(caminho)) throw new Error('faltando');
      const quebrado = hospedeiro.quebrados?.includes(caminho);
      corpo = quebrado ? Buffer.from('throw new Error("quebrado");') : await readFile(arquivo);
    } catch {
      anotar(404);
      resposta
        .writeHead(404, { 'Content-Type': 'text/plain', 'Cache-Control': 'no-cache' })
        .end('não encontrado');
      return;
    }
    const etag = `"${createHash('sha256').update(corpo).digest('hex').slice(0, 16)}"`;
    const cabecalhos = {
      'Content-Type':
        (extensao === '.wasm' ? hospedeiro.tipoWasm : TIPOS[extensao]) ??
        'application/octet-stream',
      'Cache-Control': hospedeiro.maxAge ? `max-age=${hospedeiro.maxAge}` : 'no-cache',
      ETag: etag,
    };
    if (pedido.headers['if-none-match'] === etag) {
      anotar(304);
      resposta.writeHead(304, cabecalhos).end();
      return;
    }
    anotar(200);
    if (!JA_COMPRIMIDOS.has(extensao) && /\bgzip\b/.test(pedido.headers['accept-encoding'] ?? '')) {
      if (!comprimidos.has(etag)) comprimidos.set(etag, gzipSync(corpo));
      corpo = comprimidos.get(etag);
      cabecalhos['Content-Encoding'] = 'gzip';
      cabecalhos.Vary = 'Accept-Encoding';
    }
    resposta.writeHead(200, cabecalhos).end(pedido.method === 'HEAD' ? undefined : corpo);
  });
  await new Promise((pronto) => servidor.listen(porta, '127.0.0.1', pronto));
  return {
    url: `http://127.0.0.1:${servidor.address().port}/`,
    pedidos,
    hospedeiro,
    // The paths `caminhos` held back from now on; the function returned
    // lets them go.
    segurar(caminhos) {
      let soltar;
      Object.assign(hospedeiro, { segurados: caminhos, soltar: new Promise((r) => (soltar = r)) });
      return soltar;
    },
    // The network gone: open connections cut too.
    fechar: () => {
      const fechado = new Promise((r) => servidor.close(r));
      servidor.closeAllConnections();
      return fechado;
    },
  };
}

// fileURLToPath: a folder name with a blank is %20 in the URL.
if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const { url } = await servir(process.argv[2]);
  console.log(url);
}
