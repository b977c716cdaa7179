// What each browser of web/.browserslistrc lacks, as MDN's
// browser-compat-data (pinned) says: a script that deletes it from a
// modern engine's page before the page's scripts run (navegador.js
// --superficie=NAME). A feature the data says nothing of is kept.
//   node tests/web/superficie.js      prints each surface's name and engine
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';

const bcd = createRequire(import.meta.url)('@mdn/browser-compat-data');
const NOMES = { safari: 'safari', ios_saf: 'safari_ios', chrome: 'chrome', firefox: 'firefox' };
NOMES.samsung = 'samsunginternet_android';
// Whether version a comes before version b.
function antes(a, b) {
  const [x, y] = [a, b].map((v) => v.split('.').map(Number));
  const i = [0, 1, 2].find((k) => (x[k] ?? 0) !== (y[k] ?? 0));
  return i !== undefined && (x[i] ?? 0) < (y[i] ?? 0);
}

// Each line: its name (safari-12.2), the data's browser, and the newest
// release the data knows at or before the line's version.
export const superficies = () =>
  readFileSync(new URL('../../web/.browserslistrc', import.meta.url), 'utf8')
    .split('\n')
    .filter((l) => /^[a-z]/.test(l))
    .map((linha) => {
      const [, nome, versao] = /^(\w+) >= ([\d.]+)$/.exec(linha.trim());
      const navegador = NOMES[nome];
      const release = Object.keys(bcd.browsers[navegador].releases)
        .filter((v) => /^[\d.]+$/.test(v) && !antes(versao, v))
        .reduce((a, v) => (antes(a, v) ? v : a));
      return { nome: `${nome}-${versao}`, navegador, release };
    });

// False where the data says the release lacks it (not yet, removed, only
// behind a flag or a prefix).
function tem(compat, navegador, release) {
  const dados = compat?.support?.[navegador];
  return (
    [dados ?? []].flat().length === 0 ||
    [dados].flat().some((d) => {
      const desde = String(d.version_added).replace('≤', '');
      if (d.version_added === null || d.version_added === true) return true;
      if (!/^[\d.]+$/.test(desde) || d.flags || d.prefix || d.alternative_name) return false;
      return !antes(release, desde) && (!d.version_removed || antes(release, d.version_removed));
    })
  );
}

// [global, member or null, 'estatico' | 'prototipo' | '' (either)]. A
// global it lacks goes by its name only: its members may live on in what
// the browser had (Range's, in AbstractRange now).
function ausentes({ navegador, release }) {
  const lista = [];
  const arvores = [
    [bcd.api, 'prototipo'],
    [bcd.javascript.builtins, ''],
    [{ WebAssembly: bcd.webassembly.api }, 'estatico'],
  ];
  for (const [arvore, onde] of arvores) {
    for (const [nome, ramo] of Object.entries(arvore)) {
      if (!/^[A-Za-z$]\w*$/.test(nome)) continue;
      if (!tem(ramo.__compat, navegador, release)) lista.push([nome, null, '']);
      else
        for (const [chave, membro] of Object.entries(ramo)) {
          const m = /^([A-Za-z$]\w*?)(_static)?$/.exec(chave);
          if (!m || m[1] === nome || tem(membro.__compat, navegador, release)) continue;
          lista.push([nome, m[1], m[2] ? 'estatico' : onde]);
        }
    }
  }
  return lista;
}

export function scriptDaSuperficie(nome) {
  const superficie = superficies().find((s) => s.nome === nome);
  if (!superficie) throw new Error(`no surface ${nome} in web/.browserslistrc`);
  // Members first, then the globals; what cannot go stays.
  return `(() => {
    const proprio = (o, n) => o && Object.prototype.hasOwnProperty.call(o, n);
    const quitar = (o, n) => { try { delete o[n]; } catch (e) {} };
    const lista = ${JSON.stringify(ausentes(superficie))};
    for (const [nome, membro, onde] of lista) {
      const alvo = self[nome];
      if (membro === null || !alvo) continue;
      if (nome === 'Window') quitar(self, membro);
      if (onde !== 'estatico' && proprio(alvo.prototype, membro)) quitar(alvo.prototype, membro);
      else if (onde !== 'prototipo' && proprio(alvo, membro)) quitar(alvo, membro);
    }
    for (const [nome, membro] of lista) if (membro === null) quitar(self, nome);
  })();`;
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  for (const s of superficies())
    console.log(s.nome, s.navegador === 'firefox' ? 'firefox' : 'chromium');
}
