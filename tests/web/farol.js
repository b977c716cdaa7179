// Lighthouse on the site served with gzip, as a static host serves it, in
// its mobile and desktop presets:
//   node tests/web/farol.js
// Accessibility, Best Practices and SEO must be 100 in both; Performance
// is printed only, as it varies with the machine's load (bench/run
// measures it).
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

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const { url, motor, fechar } = await abrirSite('chromium');
  let ok = true;
  try {
    for (const preset of Object.keys(PRESETS)) {
      const lhr = await farol(motor, url, preset);
      const notas = CATEGORIAS.map((c) => `${c} ${Math.round(lhr.categories[c].score * 100)}`);
      console.log(`lighthouse ${preset}: ${notas.join(', ')}`);
      for (const c of EXIGIDAS) {
        if (lhr.categories[c].score === 1) continue;
        ok = false;
        for (const { id } of lhr.categories[c].auditRefs) {
          const a = lhr.audits[id];
          if (a.score !== null && a.score < 1) console.log(`  ${c}: ${id}: ${a.title}`);
        }
      }
      const metricas = ['first-contentful-paint', 'largest-contentful-paint']
        .concat(['total-blocking-time', 'cumulative-layout-shift', 'speed-index'])
        .map((id) => `${id} ${lhr.audits[id].displayValue}`);
      console.log(`  ${metricas.join(', ')}`);
    }
  } finally {
    await fechar();
  }
  process.exit(ok ? 0 : 1);
}
