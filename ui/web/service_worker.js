// The served page's worker: it keeps one build of the page's files, so that
// the page starts with no network once it has been opened. Whatever the
// server holds is taken first, so that a new build is what the next visit
// shows; the kept files answer when the server cannot be reached, or is too
// slow to wait for. scripts/make-site.py fills in @FILES@ and @HASH@ (a hash
// of those files): a new build is a new worker with a cache of its own,
// filled in full before it takes over, and the old build's cache goes, so no
// page is ever answered from two builds.
"use strict";
const files = @FILES@;
// The folder is part of the name: two copies of the page at different paths
// of one server share the origin's caches, and each drops only its own.
const cachePrefix = "dbmconv " + self.registration.scope + " ";
const cacheName = cachePrefix + "@HASH@";
const patience = 3000; // ms the server has before the kept files answer

self.addEventListener("install", (event) => {
  // From the server itself: the browser's HTTP cache may still hold files of
  // the build before.
  event.waitUntil(caches.open(cacheName)
    .then((cache) => cache.addAll(files.map((file) => new Request(file, {cache: "reload"}))))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith(cachePrefix) && name !== cacheName)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The folder's own address and index.html are one file.
function keptAs(url) {
  const scope = self.registration.scope;
  return url === scope + "index.html" ? scope : url;
}

self.addEventListener("fetch", (event) => {
  const url = new URL(event.request.url);
  url.search = "";
  url.hash = "";
  if (event.request.method !== "GET" || !url.href.startsWith(self.registration.scope)) {
    return;
  }
  const kept = caches.open(cacheName).then((cache) => cache.match(keptAs(url.href)));
  // (revalidated with the server: an HTTP cache's copy may be an old build's)
  const fresh = fetch(event.request, {cache: "no-cache"});
  const late = new Promise((resolve) => setTimeout(resolve, patience));
  event.respondWith(Promise.race([fresh.catch(() => null), late.then(() => null)])
    .then((response) => response ?? kept.then((file) => file ?? fresh)));
});
