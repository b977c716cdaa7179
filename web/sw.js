// Keeps every file of the site in one cache, named after their contents,
// and answers from it first, for play offline. The build fills in the
// version and the list of files.
const PREFIXO = 'torre-de-hanoi-';
// Copies of the site in two folders of one origin keep a cache each: the
// name carries the folder, but at the origin's root.
const ESCOPO = self.registration.scope;
const PASTA = new URL(ESCOPO).pathname.replace(/^\/$/, '');
const CACHE = `${PREFIXO}@VERSAO@${PASTA}`;
const ARQUIVOS = '@ARQUIVOS@'.split(' ');

self.addEventListener('install', (evento) => {
  // From the network itself: a host's max-age would otherwise fill the new
  // cache with old files, a new game's script beside an old wasm.
  const novos = ARQUIVOS.map((arquivo) => new Request(arquivo, { cache: 'reload' }));
  evento.waitUntil(
    caches
      .open(CACHE)
      .then((cache) => cache.addAll(novos))
      .then(() => self.skipWaiting()),
  );
});

// This copy's older caches: those named for its folder, and those without
// a folder (older versions, or at the root) that hold its own page.
async function antigo(nome) {
  if (nome === CACHE || !nome.startsWith(PREFIXO)) return false;
  const pasta = nome.slice(PREFIXO.length).replace(/^[^/]*/, '');
  if (pasta !== '') return pasta === PASTA;
  return (await caches.match(ESCOPO, { cacheName: nome })) !== undefined;
}

self.addEventListener('activate', (evento) => {
  evento.waitUntil(
    caches
      .keys()
      .then((nomes) => Promise.all(nomes.map(async (n) => (await antigo(n)) && caches.delete(n))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (evento) => {
  if (evento.request.method !== 'GET') return;
  evento.respondWith(
    caches
      .match(evento.request, { cacheName: CACHE, ignoreSearch: true })
      .then((guardada) => guardada || fetch(evento.request)),
  );
});
