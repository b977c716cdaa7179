// ESLint over the page (web/), its tests (tests/web/) and its benchmark
// (bench/), run from the repository's root:
//   tests/web/node_modules/.bin/eslint -c tests/web/eslint.config.js
import js from '@eslint/js';
import globals from 'globals';

export default [
  { basePath: '../..' },
  { ignores: ['build*/**', 'tests/web/node_modules/**'] },
  js.configs.recommended,
  {
    files: ['web/**/*.js'],
    languageOptions: { globals: { ...globals.browser } },
  },
  {
    files: ['web/sw.js'],
    languageOptions: { globals: { ...globals.serviceworker } },
  },
  {
    files: ['tests/web/**/*.js', 'bench/**/*.js'],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
];
