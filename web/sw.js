// Keeps every file of the page, so that it plays offline after the first
// visit.  The build writes the version (a hash of all files) and the list;
// a new version fills a new cache and drops the old ones.
const VERSION = '@VERSION@';
/** @type {string[]} */
const FILES = [/* @FILES@ */];

// What the worker's events carry, for the checker that reads this file
// with the page's types.
/** @typedef {Event & { waitUntil(p: Promise<unknown>): void }} ExtendableEvent */
/** @typedef {ExtendableEvent & { request: Request, respondWith(r: Promise<Response>): void }} FetchEvent */
const CACHE = `quorvel-${VERSION}`;

self.addEventListener('install', (event) => {
  const e = /** @type {ExtendableEvent} */ (event);
  e.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(['./', ...FILES])));
});

self.addEventListener('activate', (event) => {
  const e = /** @type {ExtendableEvent} */ (event);
  e.waitUntil(caches.keys().then((keys) =>
    Promise.all(keys.filter((k) => k.startsWith('quorvel-') && k !== CACHE).map((k) => caches.delete(k)))));
});

// The page's own files only, from the cache first; nothing else is fetched.
self.addEventListener('fetch', (event) => {
  const e = /** @type {FetchEvent} */ (event);
  if (e.request.method !== 'GET' || new URL(e.request.url).origin !== self.location.origin) return;
  e.respondWith(caches.match(e.request, { ignoreSearch: true }).then((hit) => hit || fetch(e.request)));
});
