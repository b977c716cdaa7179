// One browser driver for the three engines, so that every check is written
// once: Debian's chromium and firefox-esr through puppeteer-core, WebKitGTK
// through its WebDriver (WebKitWebDriver) with selenium-webdriver. Keys are
// real key events in all three.
import { spawn } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';
import { Builder, By, Key, Origin } from 'selenium-webdriver';
import { servir } from './servidor.js';
import { raiz } from './tela.js';

export const SITE = join(raiz, 'build-web', 'site');

// What every browser test starts with: the site served on 127.0.0.1 (with
// gzip, as a static host serves it) and an engine. `fechar` ends both; a
// test may put another server in `servidor` meanwhile.
export async function abrirSite(nome = 'chromium') {
  const ambiente = { servidor: await servir(SITE), motor: await abrirMotor(nome) };
  ambiente.url = ambiente.servidor.url;
  ambiente.fechar = async () => {
    await ambiente.motor.fechar();
    await ambiente.servidor.fechar();
  };
  return ambiente;
}

const CHROMIUM = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];
const MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

// `argumentos`: more of chromium's command line.
export async function abrirMotor(nome, argumentos = []) {
  if (nome === 'webkit') return abrirWebkit();
  const navegador = await puppeteer.launch(
    nome === 'firefox'
      ? { browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true }
      : { executablePath: '/usr/bin/chromium', headless: true, args: CHROMIUM.concat(argumentos) },
  );
  return {
    nome,
    navegador,
    // A tablet held upright unless told otherwise; `contexto` for a first
    // visit with nothing kept.
    async pagina({ largura = 768, altura = 1024, toque = false, contexto = navegador } = {}) {
      const p = await contexto.newPage();
      await p.setViewport({ width: largura, height: altura, isMobile: toque, hasTouch: toque });
      return paginaPuppeteer(p);
    },
    fechar: () => navegador.close(),
  };
}

const COLAR = ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write'];
function paginaPuppeteer(p) {
  return {
    p,
    ir: (url) => p.goto(url, { waitUntil: 'domcontentloaded' }),
    avaliar: (funcao, ...args) => p.evaluate(funcao, ...args),
    async digitar(texto) {
      // keyboard.type('\t') sends no Tab key: a Tab is the Tab key.
      for (const parte of texto.split(/(\t)/)) {
        if (parte === '\t') await p.keyboard.press('Tab');
        else if (parte) await p.keyboard.type(parte);
      }
    },
    tecla: (nome) => p.keyboard.press(nome === 'Space' ? ' ' : nome), // BiDi knows no "Space"
    async ctrl(letra) {
      await p.keyboard.down('Control');
      await p.keyboard.press(letra);
      await p.keyboard.up('Control');
    },
    async comShift(nome) {
      await p.keyboard.down('Shift');
      await p.keyboard.press(nome);
      await p.keyboard.up('Shift');
    },
    // `texto` pasted from the clipboard, with Ctrl+V or Shift+Insert.
    async colar(texto, comShift = false) {
      await p.browserContext().overridePermissions(new URL(p.url()).origin, COLAR);
      await p.evaluate((texto) => navigator.clipboard.writeText(texto), texto);
      await (comShift ? this.comShift('Insert') : this.ctrl('v'));
    },
    clicar: (seletor) => p.click(seletor),
    // The mouse pressed at one point of the window and released at another.
    async arrastar([x0, y0], [x1, y1]) {
      await p.mouse.move(x0, y0);
      await p.mouse.down();
      await p.mouse.move(x1, y1, { steps: 5 });
      await p.mouse.up();
    },
    redimensionar: (width, height) => p.setViewport({ width, height }),
    foto: (caminho) => p.screenshot({ path: caminho }),
    fechar: () => p.close(),
  };
}

const portaLivre = () =>
  new Promise((pronto) => {
    const s = createServer().listen(0, '127.0.0.1', () => {
      const { port } = s.address();
      s.close(() => pronto(port));
    });
  });

const TECLAS = {
  Enter: Key.ENTER,
  Space: ' ',
  ArrowUp: Key.ARROW_UP,
  Tab: Key.TAB,
  PageUp: Key.PAGE_UP,
  PageDown: Key.PAGE_DOWN,
  Backspace: Key.BACK_SPACE,
  Control: Key.CONTROL,
};

// WebKitGTK's MiniBrowser needs a display: run under xvfb-run.
async function abrirWebkit() {
  const porta = await portaLivre();
  const servico = spawn('/usr/bin/WebKitWebDriver', [`--port=${porta}`], { stdio: 'ignore' });
  let driver;
  for (let tentativa = 0; !driver; tentativa++) {
    try {
      driver = await new Builder()
        .usingServer(`http://127.0.0.1:${porta}`)
        .withCapabilities({
          browserName: 'MiniBrowser',
          'webkitgtk:browserOptions': { binary: MINIBROWSER, args: ['--automation'] },
          // A navigation returns at once, so that a page whose files are
          // held back can be read while it loads.
          pageLoadStrategy: 'none',
        })
        .build();
    } catch (erro) {
      if (tentativa > 50) throw erro;
      await new Promise((r) => setTimeout(r, 100));
    }
  }
  await driver.manage().setTimeouts({ script: 60000 });
  const pagina = {
    // Returns once the new page's document is there (navigations return at
    // once): the old one is marked, and waited out.
    async ir(url) {
      await driver.executeScript('window.paginaVelha = true').catch(() => {});
      await driver.get(url);
      for (let i = 0; i < 200; i++) {
        const nova = await driver.executeScript('return !window.paginaVelha').catch(() => false);
        if (nova) return;
        await new Promise((r) => setTimeout(r, 50));
      }
      throw new Error(`${url} did not open`);
    },
    async avaliar(funcao, ...args) {
      const r = await driver.executeAsyncScript(
        `const feito = arguments[arguments.length - 1];
         Promise.resolve().then(() => (${funcao}).apply(null, [].slice.call(arguments, 0, -1)))
           .then(feito, (e) => feito({ erroNoNavegador: String(e && e.stack || e) }));`,
        ...args,
      );
      if (r?.erroNoNavegador) throw new Error(r.erroNoNavegador);
      return r;
    },
    digitar: (texto) => driver.actions().sendKeys(texto.replaceAll('\t', Key.TAB)).perform(),
    tecla: (nome) => driver.actions().keyDown(TECLAS[nome]).keyUp(TECLAS[nome]).perform(),
    ctrl: (letra) =>
      driver.actions().keyDown(Key.CONTROL).sendKeys(letra).keyUp(Key.CONTROL).perform(),
    comShift: (nome) =>
      driver.actions().keyDown(Key.SHIFT).sendKeys(TECLAS[nome]).keyUp(Key.SHIFT).perform(),
    clicar: async (seletor) => (await driver.findElement(By.css(seletor))).click(),
    arrastar: ([x0, y0], [x1, y1]) => {
      const ponto = (x, y) => ({ x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT });
      const acoes = driver.actions().move(ponto(x0, y0)).press();
      return acoes
        .move({ ...ponto(x1, y1), duration: 200 })
        .release()
        .perform();
    },
    redimensionar: (width, height) => driver.manage().window().setRect({ width, height }),
    foto: async (caminho) => writeFileSync(caminho, await driver.takeScreenshot(), 'base64'),
    fechar: async () => {},
  };
  return {
    nome: 'webkit',
    driver,
    async pagina({ largura = 768, altura = 1024 } = {}) {
      await driver.manage().window().setRect({ width: largura, height: altura });
      return pagina;
    },
    async fechar() {
      await driver.quit().catch(() => {});
      servico.kill();
    },
  };
}
