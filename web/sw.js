// Keeps every file of the site in one cache, named after their contents,
// and answers from it first: after one visit the game opens and plays with
// the network off. A new version of the site brings a new cache. The build
// fills in the version and the list of files.
const CACHE = 'torre-de-hanoi-@VERSAO@';
const ARQUIVOS = '@ARQUIVOS@'.split(' ');

self.addEventListener('install', (evento) => {
  evento.waitUntil(
    caches
      .open(CACHE)
      .then((cache) => cache.addAll(ARQUIVOS))
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener('activate', (evento) => {
  evento.waitUntil(
    caches
      .keys()
      .then((nomes) => Promise.all(nomes.filter((n) => n !== CACHE).map((n) => caches.delete(n))))
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
