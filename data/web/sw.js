"use strict";
// Keeps the site's own files, and nothing else, so that a game once visited plays without the
// network. The build writes in its digest and its files: a new build is a new worker, which the
// browser installs at the next visit, and whose cache replaces the kept one.
const BUILD = "@BUILD@";
const FILES = @FILES@;
const PREFIX = `krestiki-noliki ${registration.scope} `;
const CACHE = PREFIX + BUILD;

self.addEventListener("install", event => {
  // Asked of the server again, not of the browser's cache, which may hold the build before.
  event.waitUntil(caches.open(CACHE)
    .then(cache => cache.addAll(FILES.map(file => new Request(file, { cache: "no-cache" }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", event => {
  event.waitUntil(caches.keys()
    .then(names => Promise.all(names.filter(name => name.startsWith(PREFIX) && name !== CACHE)
      .map(name => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", event => {
  const url = new URL(event.request.url);
  if (event.request.method !== "GET" || !url.href.startsWith(registration.scope))
    return;
  // The page is kept under its own name; the folder's address is the page too.
  const file = url.pathname === new URL(registration.scope).pathname ? "index.html" : url.href;
  event.respondWith(caches.open(CACHE)
    .then(cache => cache.match(file, { ignoreSearch: true }))
    .then(kept => kept ?? fetch(event.request)));
});
