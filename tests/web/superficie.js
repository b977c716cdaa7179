// What the oldest browsers of web/.browserslistrc lack, as MDN's
// browser-compat-data (pinned in package-lock.json) says: a script that
// deletes it all from a modern engine's page before the page's own
// scripts run, so that the browser tests play the game with only what
// that browser has (navegador.js --superficie=NAME). Syntax and CSS are
// the parse check's and the linters'. A feature the data says nothing of,
// for a browser, is kept.
//   node tests/web/superficie.js      prints each surface and its engine
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { raiz } from './tela.js';

const bcd = createRequire(import.meta.url)('@mdn/browser-compat-data');
// browserslist's names, as the data names them; Firefox's engine plays its own.
const NOMES = {
  safari: 'safari',
  ios_saf: 'safari_ios',
  chrome: 'chrome',
  firefox: 'firefox',
  samsung: 'samsunginternet_android',
};

const partes = (v) => v.split('.').map(Number);
const antes = (a, b) => {
  const [x, y] = [partes(a), partes(b)];
  for (let i = 0; i < Math.max(x.length, y.length); i++) {
    if ((x[i] ?? 0) !== (y[i] ?? 0)) return (x[i] ?? 0) < (y[i] ?? 0);
  }
  return false;
};

// Each line of web/.browserslistrc: its name (safari-12.2), the data's
// browser, and the release the data knows that the line's version is in.
export function superficies() {
  const linhas = readFileSync(join(raiz, 'web', '.browserslistrc'), 'utf8').split('\n');
  return linhas
    .filter((l) => /^[a-z]/.test(l))
    .map((linha) => {
      const [, nome, versao] = /^(\w+) >= ([\d.]+)$/.exec(linha.trim());
      const navegador = NOMES[nome];
      const versoes = Object.keys(bcd.browsers[navegador].releases).filter(
        (v) => /^[\d.]+$/.test(v) && !antes(versao, v),
      );
      const release = versoes.reduce((a, v) => (antes(a, v) ? v : a));
      const motor = navegador === 'firefox' ? 'firefox' : 'chromium';
      return { nome: `${nome}-${versao}`, navegador, release, motor };
    });
}

// False where the data says the browser at that release lacks it (not
// there yet, removed, only flagged or prefixed); true or null otherwise.
function tem(compat, navegador, release) {
  const dados = compat?.support?.[navegador];
  if (dados === undefined) return null;
  return [dados].flat().some((d) => {
    if (d.version_added === null || d.version_added === true) return true;
    if (!d.version_added || d.flags || d.prefix || d.alternative_name) return false;
    const desde = d.version_added.replace('≤', '');
    if (!/^[\d.]+$/.test(desde) || antes(release, desde)) return false;
    return !d.version_removed || antes(release, d.version_removed);
  });
}

const NOME = /^[A-Za-z$][\w$]*$/;

// [object, member, where]: member null for the global itself; where is
// 'estatico', 'prototipo' or '' (either, as the data does not say).
function ausentes({ navegador, release }) {
  const lista = [];
  const arvores = [
    [bcd.api, 'prototipo'],
    [bcd.javascript.builtins, ''],
    [{ WebAssembly: bcd.webassembly.api }, 'estatico'],
  ];
  for (const [arvore, onde] of arvores) {
    for (const [nome, ramo] of Object.entries(arvore)) {
      if (!NOME.test(nome)) continue;
      // A global it lacks goes by its name only: its members may live on
      // in what the browser had (Range's, in AbstractRange now).
      if (tem(ramo.__compat, navegador, release) === false) {
        lista.push([nome, null, '']);
        continue;
      }
      for (const [chave, membro] of Object.entries(ramo)) {
        const estatico = chave.endsWith('_static');
        const nomeDoMembro = chave.replace(/_static$/, '');
        if (!NOME.test(nomeDoMembro) || nomeDoMembro === nome) continue;
        if (tem(membro.__compat, navegador, release) !== false) continue;
        lista.push([nome, nomeDoMembro, estatico ? 'estatico' : onde]);
      }
    }
  }
  return lista;
}

// The script a page of that surface runs first.
export function scriptDaSuperficie(nome) {
  const superficie = superficies().find((s) => s.nome === nome);
  if (!superficie) throw new Error(`no surface ${nome} in web/.browserslistrc`);
  const lista = ausentes(superficie);
  // Members first, then the globals; a property that cannot go stays.
  return `(() => {
    const proprio = (o, n) => o && Object.prototype.hasOwnProperty.call(o, n);
    const quitar = (o, n) => { try { delete o[n]; } catch (e) {} };
    const lista = ${JSON.stringify(lista)};
    for (const [nome, membro, onde] of lista) {
      const alvo = self[nome];
      if (membro === null || !alvo) continue;
      const prototipo = alvo.prototype;
      if (nome === 'Window') quitar(self, membro);
      if (onde !== 'estatico' && proprio(prototipo, membro)) quitar(prototipo, membro);
      else if (onde !== 'prototipo' && proprio(alvo, membro)) quitar(alvo, membro);
    }
    for (const [nome, membro] of lista) if (membro === null) quitar(self, nome);
  })();`;
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  for (const { nome, motor, navegador, release } of superficies()) {
    console.log(
      `${nome} ${motor} ${navegador} ${release} ${ausentes({ navegador, release }).length}`,
    );
  }
}
