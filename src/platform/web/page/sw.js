// Keeps this build of the page in the browser, so that it plays with the network off. The
// page puts the game and its pictures into this build's cache as it loads them; this
// worker answers from there, and drops the caches of earlier builds.
'use strict';

const CACHE = 'zr-ironfall-@BUILD@';
const SHELL = ['./', 'page.js?v=@BUILD@', 'page.css?v=@BUILD@', 'manifest.webmanifest',
               'icons/zr-ironfall-32.png', 'icons/zr-ironfall-256.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(SHELL)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith('zr-ironfall-') && n !== CACHE)
      .map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// The page itself from the network while there is one (a new build shows at once), from
// the cache without; the files, which carry their build in their names, from the cache.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  if (request.mode === 'navigate') {
    event.respondWith(fetch(request).catch(() =>
      caches.open(CACHE).then((cache) => cache.match('./')).then((r) => r || Response.error())));
    return;
  }
  event.respondWith(caches.open(CACHE).then((cache) => cache.match(request))
    .then((hit) => hit || fetch(request)));
});
