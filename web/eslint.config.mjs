// The linter of the page's JavaScript, its tests and its benchmark, run from the repository root
// by .ci/static.sh:  web/node_modules/.bin/eslint --config web/eslint.config.mjs FILES...
import js from '@eslint/js';
import globals from 'globals';

export default [
  js.configs.recommended,
  {
    // Classic scripts in one global scope: index.html loads them in order, and the page builds its
    // worker from their text, so each one's top-level functions are the others'.
    files: ['web/*.js'],
    languageOptions: {
      sourceType: 'script',
      globals: {
        ...globals.browser,
        ...Object.fromEntries(['createZelwan', 'runZelwan', 'filesUnder', 'zelwanAnswers', 'workerMain'].map((name) => [name, 'readonly'])),
        module: 'readonly', // zelwan-run.js exports itself to Node where there is one
      },
    },
    rules: { 'no-unused-vars': ['error', { vars: 'local' }], 'no-redeclare': ['error', { builtinGlobals: false }] },
  },
  { files: ['web/tests/*.js'], languageOptions: { sourceType: 'commonjs', globals: globals.node } },
  // Node scripts that hand functions to the page, which run them in the browser.
  { files: ['web/tests/*.mjs', 'bench/*.mjs'], languageOptions: { globals: { ...globals.node, ...globals.browser } } },
];
