// Writes the site's service worker: the worker's code (web/page/service_worker.js) after a
// line naming this build's files, each with its SHA-256 digest, and its cache, named by
// the version and a digest of every file, so that a build whose files differ in any byte
// has a cache of its own. Run by the build once every other file of the site is written:
//   node make_service_worker.mjs WORKER.js VERSION SITE FILE...
// each FILE of SITE named, or given by its path.
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { basename, join } from 'node:path';

const [worker, version, site, ...paths] = process.argv.slice(2);
const names = paths.map((path) => basename(path));
if (!worker || !version || !site || names.length === 0) {
  console.error('usage: make_service_worker.mjs WORKER.js VERSION SITE FILE...');
  process.exit(2);
}

const files = [...new Set(names)].sort().map((name) => {
  const digest = createHash('sha256').update(readFileSync(join(site, name))).digest();
  return [name, `sha256-${digest.toString('base64')}`];
});
const whole = createHash('sha256');
for (const [name, integrity] of files) whole.update(`${name}\0${integrity}\0`);
const build = { cache: `zemkari-${version}-${whole.digest('hex').slice(0, 16)}`, files };

writeFileSync(join(site, 'service_worker.js'), `const kBuild = ${JSON.stringify(build)};\n${readFileSync(worker, 'utf8')}`);
