// What every browser test shares: the page's folder served on loopback, and
// the canvas read back.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.mjs': 'text/javascript',
  '.wasm': 'application/wasm',
  '.bmp': 'image/bmp',
};

// Serves the files of `folder` (and nothing above it) on a free port of
// 127.0.0.1, and `pages` (name to HTML text) beside them. Resolves to
// { url, close() }; url ends with '/'.
export function serveFolder(folder, pages = {}) {
  const root = path.resolve(folder);
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    if (Object.hasOwn(pages, name.slice(1))) {
      response.writeHead(200, { 'Content-Type': kTypes['.html'], 'Cache-Control': 'no-store' });
      response.end(pages[name.slice(1)]);
      return;
    }
    const file = path.resolve(root, '.' + name);
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, {
      'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream',
      'Cache-Control': 'no-store',
    });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      resolve({ url: `http://127.0.0.1:${port}/`, close: () => new Promise((done) => server.close(done)) });
    });
  });
}

// The canvas's picture as { width, height, rgba } with rgba a Buffer, top row
// first. Passed as base64 text: far quicker than an array of numbers.
export async function readCanvas(page) {
  const { width, height, base64 } = await page.evaluate(() => {
    const canvas = document.getElementById('canvas');
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context = copy.getContext('2d');
    context.drawImage(canvas, 0, 0);
    const bytes = context.getImageData(0, 0, copy.width, copy.height).data;
    let text = '';
    for (let at = 0; at < bytes.length; at += 0x8000)
      text += String.fromCharCode.apply(null, bytes.subarray(at, at + 0x8000));
    return { width: copy.width, height: copy.height, base64: btoa(text) };
  });
  return { width, height, rgba: Buffer.from(base64, 'base64') };
}
