// Keeps every file of the site in one cache, named after their contents,
// and answers from it first: after one visit the game opens and plays with
// the network off. A new version of the site brings a new cache. The build
// fills in the version and the list of files.
const PREFIXO = 'torre-de-hanoi-';
const CACHE = `${PREFIXO}@VERSAO@`;
const ARQUIVOS = '@ARQUIVOS@'.split(' ');

self.addEventListener('install', (evento) => {
  // From the network itself: a host that lets browsers keep files for a
  // while (max-age) would otherwise fill the new cache with the old ones,
  // a new game's script beside an old wasm.
  const novos = ARQUIVOS.map((arquivo) => new Request(arquivo, { cache: 'reload' }));
  evento.waitUntil(
    caches
      .open(CACHE)
      .then((cache) => cache.addAll(novos))
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener('activate', (evento) => {
  // Only our own older versions go: other apps may share the origin.
  const antigo = (nome) => nome.startsWith(PREFIXO) && nome !== CACHE;
  evento.waitUntil(
    caches
      .keys()
      .then((nomes) => Promise.all(nomes.filter(antigo).map((n) => caches.delete(n))))
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
