// Run by the build, not shipped: writes the site's index.html from
// web/index.html, as one response holding all its first paint needs.
// - The screen with the game's first menu on it, from the game itself:
//   the built game played in node up to its first read, its output drawn
//   by the page's own screen model and rows (modelo.js, desenho.js), so
//   that the page shows the menu at its first paint, in the very rows the
//   game then writes on, and never holds a copy of the game's texts.
// - The page's style and its two classic scripts, which the bundler made
//   into PECAS, inline where index.html's comments name their files; the
//   sha256 of each script into the Content-Security-Policy's script-src,
//   of each style (the page's, and <noscript>'s) into its style-src.
// - A preload link for each piece the page's modules import, from the
//   bundler's account of what it wrote (PECAS/modulos.json).
// Every other comment of index.html goes: the page is sent before its
// first paint.
//   node montar-pagina.mjs WEB PECAS SITE
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { basename, join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { classeDaLinha, htmlDaLinha } from './desenho.js';
import { criarModelo, escrever } from './modelo.js';

const [web, pecas, site] = process.argv.slice(2);

// What the game writes up to its first read, as text.
async function primeiraTela() {
  const { default: criarJogo } = await import(pathToFileURL(join(site, 'torre-de-hanoi.js')));
  const modulo = await WebAssembly.compile(readFileSync(join(site, 'torre-de-hanoi.wasm')));
  const escrito = [];
  return new Promise((pronta, falhou) => {
    criarJogo({
      torre: {
        escrever: (bytes) => escrito.push(Buffer.from(bytes)),
        ler: () => {
          pronta(Buffer.concat(escrito).toString('utf8'));
          return new Promise(() => {}); // the game waits here for good
        },
        pausar: () => falhou(new Error('the game paused before its first read')),
      },
      instantiateWasm: (importacoes, receber) => {
        WebAssembly.instantiate(modulo, importacoes).then((i) => receber(i, modulo), falhou);
        return {};
      },
    }).then((jogo) => jogo.ccall('main', 'number', [], [], { async: true }), falhou);
  });
}

const modelo = criarModelo();
escrever(modelo, await primeiraTela());
const html =
  '<div id="tela">' +
  modelo.grade
    .map((_, i) => `<div class="${classeDaLinha(modelo, i)}">${htmlDaLinha(modelo, i)}</div>`)
    .join('') +
  '</div>';

// What each of index.html's comments becomes: a marker's content, or nothing.
const controle = (c) => (c < ' ' && c !== '\n' && c !== '\t') || c === '\x7f';
const ler = (nome) => readFileSync(join(pecas, nome), 'utf8').trim();
const hashes = [];
const sha256 = (codigo) => `'sha256-${createHash('sha256').update(codigo).digest('base64')}'`;
const script = (nome) => {
  const codigo = ler(nome);
  // The browser hashes the script as it parsed it: a CR or another
  // control character could come out otherwise.
  if (codigo.includes('</script') || [...codigo].some(controle)) {
    throw new Error(`${nome} cannot go inline: it holds </script or a control character`);
  }
  hashes.push(sha256(codigo));
  return `<script>${codigo}</script>`;
};
const { outputs } = JSON.parse(readFileSync(join(pecas, 'modulos.json'), 'utf8'));
// Every piece one of them imports (the code they share), so that it is
// on its way with them.
const importados = new Set(Object.values(outputs).flatMap((o) => o.imports.map((i) => i.path)));
const partilhados = Object.keys(outputs)
  .filter((saida) => saida.endsWith('.js') && importados.has(saida))
  .map((saida) => `<link rel="modulepreload" href="${basename(saida)}" />`);
const marcas = {
  'primeira-tela': () => html,
  'estilo.css': () => `<style>${ler('estilo.css')}</style>`,
  'aviso.js': () => script('aviso.js'),
  'primeira-pintura.js': () => script('primeira-pintura.js'),
  modulepreload: () => partilhados.join(''),
};
const marcasPostas = new Set();
const fonte = readFileSync(join(web, 'index.html'), 'utf8');
let pagina = fonte.replace(/\n( *)<!--([^]*?)-->/g, (_, recuo, nome) => {
  const marca = marcas[nome.trim()];
  if (!marca) return '';
  marcasPostas.add(nome.trim());
  return `\n${recuo}${marca()}`;
});
const faltam = Object.keys(marcas).filter((m) => !marcasPostas.has(m));
if (faltam.length) throw new Error(`index.html lacks the markers ${faltam.join(', ')}`);
// Each inline style by its hash, never 'unsafe-inline'.
const estilos = [...pagina.matchAll(/<style>([^]*?)<\/style>/g)].map(([, codigo]) =>
  sha256(codigo),
);
for (const [politica, permitidos] of [
  ["script-src 'self'", hashes],
  ["style-src 'self'", [...new Set(estilos)]],
]) {
  if (pagina.split(politica).length !== 2) throw new Error(`index.html needs one ${politica}`);
  pagina = pagina.replace(politica, `${politica} ${permitidos.join(' ')}`);
}
writeFileSync(join(site, 'index.html'), pagina);
process.exit(0); // the game is still waiting for its read
