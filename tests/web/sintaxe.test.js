// Every script the built site ships, the inline ones in index.html too,
// parsed by a real parser and refused where it holds a syntax the oldest
// browsers of web/.browserslistrc lack (Safari 12.2, Chrome 76):
//   node --test tests/web/sintaxe.test.js      (after the web build)
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { parse } from 'acorn';
import { fullAncestor } from 'acorn-walk';
import { raiz } from './tela.js';

const SITE = join(raiz, 'build-web', 'site');

// What each node type is, where those browsers cannot parse it.
const FALTAM = {
  ChainExpression: () => 'optional chaining (?.)',
  LogicalExpression: (n) => n.operator === '??' && 'nullish coalescing (??)',
  AssignmentExpression: (n) => ['&&=', '||=', '??='].includes(n.operator) && 'logical assignment',
  PropertyDefinition: (n) =>
    n.key.type === 'PrivateIdentifier' ? 'a private name' : 'a class field',
  MethodDefinition: (n) => n.key.type === 'PrivateIdentifier' && 'a private name',
  StaticBlock: () => 'a class static block',
  Literal: (n) =>
    (/\(\?<[=!]/.test(n.regex?.pattern ?? '') && 'a regexp lookbehind') ||
    (/^\d[\d_]*_/.test(n.raw) && 'a numeric separator'),
  // Top-level await: an await with no function around it.
  AwaitExpression: (_, antes) =>
    !antes.some((a) => a.type.includes('Function')) && 'top-level await',
};

function lacunas(codigo, sourceType) {
  const achadas = new Set();
  const ast = parse(codigo, { ecmaVersion: 'latest', sourceType, allowHashBang: true });
  fullAncestor(ast, (no, _estado, antes) => {
    const falta = FALTAM[no.type]?.(no, antes);
    if (falta) achadas.add(falta);
  });
  return [...achadas];
}

const pagina = readFileSync(join(SITE, 'index.html'), 'utf8');
const scripts = [
  ...readdirSync(SITE)
    .filter((a) => a.endsWith('.js'))
    .map((a) => [a, readFileSync(join(SITE, a), 'utf8'), a === 'sw.js' ? 'script' : 'module']),
  ...[...pagina.matchAll(/<script>([^]*?)<\/script>/g)].map(([, c], k) => [
    `index.html's inline script ${k + 1}`,
    c,
    'script',
  ]),
];

test('every shipped script parses in the oldest browsers the page supports', () => {
  assert.ok(scripts.length >= 6, `only ${scripts.length} scripts: is the site built?`);
  const falhas = scripts.flatMap(([nome, codigo, tipo]) =>
    lacunas(codigo, tipo).map((falta) => `${nome}: ${falta}`),
  );
  assert.deepEqual(falhas, []);
});

test('the check itself finds what it is for, and lets pass what they parse', () => {
  const novo = 'a?.b; a ?? b; a ||= b; class C { x = 1; #y; } /(?<=a)b/; 1_000; await a;';
  assert.equal(lacunas(novo, 'module').length, 8);
  const velho =
    'try {} catch {} const o = { ...p }; import("./x.js"); import.meta.url; /\\p{L}/u; async () => await a;';
  assert.deepEqual(lacunas(velho, 'module'), []);
});
