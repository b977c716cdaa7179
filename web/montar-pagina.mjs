// Run by the build, not shipped: plays the built game in node up to its
// first read and writes what it wrote there, the first screen, into the
// site's index.html, so that the page shows the menu at its first paint
// and never holds a copy of the game's texts of its own.
//   node primeira-tela.mjs SITE
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const MARCA = '<!-- primeira-tela -->';
const site = process.argv[2];

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

const texto = await primeiraTela();
// Only plain text fits a page as it is: an escape sequence would not.
const controle = (c) => (c < ' ' && c !== '\n' && c !== '\t') || c === '\x7f';
if ([...texto].some(controle)) {
  throw new Error(`the first screen holds control characters: ${JSON.stringify(texto)}`);
}
// As the terminal shows it: tabs to stops of 8, the cursor after the
// last character.
const linhas = texto
  .split('\n')
  .map((l) => l.replace(/[^\t]*\t/g, (s) => s.slice(0, -1).padEnd((s.length - 1 + 8) & ~7)));
const escapar = (s) => s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
const html =
  '<pre id="primeira-tela" aria-hidden="true">' +
  linhas
    .slice(0, -1)
    .map((l) => `${escapar(l)}\n`)
    .join('') +
  `${escapar(linhas.at(-1))}<span class="cursor"> </span></pre>`;

const indice = join(site, 'index.html');
const pagina = readFileSync(indice, 'utf8');
if (!pagina.includes(MARCA)) throw new Error(`index.html has no ${MARCA}`);
writeFileSync(indice, pagina.replace(MARCA, html));
process.exit(0); // the game is still waiting for its read
