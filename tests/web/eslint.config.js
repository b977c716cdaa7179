// ESLint over the page (web/), the game's side of it (src/*.js), its
// tests (tests/web/) and its benchmark (bench/), run from the
// repository's root:
//   tests/web/node_modules/.bin/eslint -c tests/web/eslint.config.js
import js from '@eslint/js';
import compat from 'eslint-plugin-compat';
import globals from 'globals';

export default [
  { basePath: '../..' },
  { ignores: ['build*/**', 'tests/web/node_modules/**'] },
  js.configs.recommended,
  {
    files: ['web/**/*.js'],
    languageOptions: { globals: { ...globals.browser } },
  },
  // The page's APIs against the browsers web/.browserslistrc names.
  { ...compat.configs['flat/recommended'], files: ['web/**/*.js'] },
  {
    // Written for browsers without modules too: it says they cannot play.
    files: ['web/aviso.js'],
    languageOptions: { ecmaVersion: 5, sourceType: 'script' },
  },
  {
    files: ['web/montar-pagina.mjs'],
    languageOptions: { globals: { ...globals.node } },
  },
  {
    files: ['web/sw.js'],
    languageOptions: { globals: { ...globals.serviceworker } },
  },
  {
    // An emscripten JavaScript library: these are emscripten's own, in
    // scope when the game's script is linked.
    files: ['src/*.js'],
    languageOptions: {
      sourceType: 'script',
      globals: Object.fromEntries(
        ['mergeInto', 'LibraryManager', 'Asyncify', 'Module', 'HEAPU8', 'INTERROMPIDO'].map(
          (nome) => [nome, 'readonly'],
        ),
      ),
    },
  },
  {
    files: ['tests/web/**/*.js', 'bench/**/*.js'],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
];
