// Keeps the page playable offline: registers the service worker, which keeps this build of
// the site for later visits, and tells the player when a newer build has arrived and
// waits for the next load of the page. Loaded once the core is bound, so that it never
// holds up the game.

export function keepOffline() {
  // Served over plain HTTP from another machine there is no service worker: the game
  // plays, only not offline.
  if (!('serviceWorker' in navigator)) return;
  // Once the page has loaded, so that the worker's first download of the whole site
  // never competes with the page's own.
  const loaded =
    document.readyState === 'complete'
      ? Promise.resolve()
      : new Promise((resolve) => window.addEventListener('load', resolve, { once: true }));
  loaded
    .then(() => navigator.serviceWorker.register(new URL('service_worker.js', import.meta.url)))
    .then(watchForUpdates, (error) => console.warn('Zemkari will not play offline:', error));
}

// Only a page that a worker answered runs an older build than a worker installed after
// it: a page loaded without one is the newest there is.
function watchForUpdates(registration) {
  if (!navigator.serviceWorker.controller) return;
  const notice = document.getElementById('UpdateNotice');
  const announce = () => {
    notice.hidden = false;
  };
  if (registration.waiting) announce();
  registration.addEventListener('updatefound', () => {
    const worker = registration.installing;
    worker.addEventListener('statechange', () => {
      if (worker.state === 'installed') announce();
    });
  });
}
