// The page's service worker. Installing, it keeps every file of one build of the site in a
// cache of that build (kBuild, written above by the build), so that the page opens and
// plays without a network, its module and its WebAssembly always of the same build. It
// answers from that cache first and, once active, deletes the caches of other builds.
// A newer build's worker waits, and takes over when the page next loads, never while it
// plays.

// Each folder of an origin that serves the site keeps caches of its own.
const scope = self.registration.scope;
const cacheName = `${kBuild.cache} ${scope}`;
const paths = new Set(kBuild.files.map(([path]) => path));

self.addEventListener('install', (event) => event.waitUntil(precache()));
self.addEventListener('activate', (event) => event.waitUntil(deleteOtherBuilds()));
self.addEventListener('message', (event) => {
  if (event.data === 'take-over') event.waitUntil(self.skipWaiting());
});
self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method !== 'GET' || !request.url.startsWith(scope)) return;
  const path = request.url.slice(scope.length).replace(/[?#].*$/, '') || 'index.html';
  if (paths.has(path)) event.respondWith(answer(request, path));
});

// Each file is asked of the server, not of the browser's HTTP cache, and checked against
// its digest: a site half updated on its host fails the install, and the browser tries
// again at a later visit.
async function precache() {
  const cache = await caches.open(cacheName);
  try {
    await cache.addAll(kBuild.files.map(([path, integrity]) => new Request(path, { cache: 'no-cache', integrity })));
  } catch (error) {
    await caches.delete(cacheName);
    throw error;
  }
}

async function deleteOtherBuilds() {
  for (const name of await caches.keys()) {
    if (name !== cacheName && name.startsWith('zemkari-') && name.endsWith(` ${scope}`)) await caches.delete(name);
  }
}

async function answer(request, path) {
  if (request.mode === 'navigate' && (await handOver())) return new Response('', { headers: { Refresh: '0' } });
  const cache = await caches.open(cacheName);
  const cached = await cache.match(new URL(path, scope));
  if (!cached) return fetch(request);
  // A host that redirected index.html to its folder gave a redirected response, which a
  // navigation refuses: the same page, answered as it stands.
  if (cached.redirected && request.mode === 'navigate') {
    return new Response(await cached.blob(), { status: cached.status, headers: cached.headers });
  }
  return cached;
}

// When a newer build waits and this navigation loads the only page of the site (a
// reload, or a first page), the newer worker takes over and the page loads again, from
// it. With another page open, which may be in the middle of a day, the page loads from
// this build.
async function handOver() {
  const { waiting } = self.registration;
  if (!waiting) return false;
  const pages = await self.clients.matchAll({ type: 'window' });
  if (pages.length > 1) return false;
  waiting.postMessage('take-over');
  return true;
}
