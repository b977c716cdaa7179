// Lighthouse on the site served with gzip, as a static host serves it, in
// its mobile and desktop presets:
//   node tests/web/farol.js
// Accessibility, Best Practices and SEO must be 100 in both; Performance
// is printed only, as it varies with the machine's load (bench/run
// measures it).
import assert from 'node:assert/strict';
import { after, test } from 'node:test';
import { fileURLToPath } from 'node:url';
import lighthouse from 'lighthouse';
import desktop from 'lighthouse/core/config/desktop-config.js';
import { abrirSite } from './motor.js';

const CATEGORIAS = ['performance', 'accessibility', 'best-practices', 'seo'];
const EXIGIDAS = ['accessibility', 'best-practices', 'seo'];
export const PRESETS = { mobile: undefined, desktop };

// One Lighthouse run of `url` in the chromium of `motor`; its report.
export async function farol(motor, url, preset) {
  const port = Number(new URL(motor.navegador.wsEndpoint()).port);
  const { lhr } = await lighthouse(
    url,
    { port, output: 'json', logLevel: 'error', onlyCategories: CATEGORIAS },
    PRESETS[preset],
  );
  return lhr;
}

// Run as a program: one test a preset.
if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const { url, motor, fechar } = await abrirSite('chromium');
  after(fechar);
  for (const preset of Object.keys(PRESETS)) {
    test(`lighthouse ${preset}`, async () => {
      const lhr = await farol(motor, url, preset);
      const notas = CATEGORIAS.map((c) => `${c} ${Math.round(lhr.categories[c].score * 100)}`);
      console.log(`lighthouse ${preset}: ${notas.join(', ')}`);
      const metricas = ['first-contentful-paint', 'largest-contentful-paint']
        .concat(['total-blocking-time', 'cumulative-layout-shift', 'speed-index'])
        .map((id) => `${id} ${lhr.audits[id].displayValue}`);
      console.log(`  ${metricas.join(', ')}`);
      const falhas = EXIGIDAS.flatMap((c) =>
        lhr.categories[c].auditRefs
          .map(({ id }) => lhr.audits[id])
          .filter((a) => a.score !== null && a.score < 1)
          .map((a) => `${c}: ${a.id}: ${a.title}`),
      );
      for (const c of EXIGIDAS) {
        assert.equal(lhr.categories[c].score, 1, `${c} below 100:\n${falhas.join('\n')}`);
      }
    });
  }
}
