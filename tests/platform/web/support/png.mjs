// PNG files of 8-bit pictures: written RGB, read RGB or RGBA, without
// interlacing (what quellor-snapshot writes and Chromium's screenshots are);
// anything else is refused, not guessed at.
import zlib from 'node:zlib';

const kSignature = Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]);

const kCrcTable = (() => {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }
  return table;
})();

function crc32(bytes) {
  let c = 0xffffffff;
  for (const byte of bytes) c = kCrcTable[(c ^ byte) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, data) {
  const head = Buffer.alloc(8);
  head.writeUInt32BE(data.length, 0);
  head.write(type, 4, 'latin1');
  const tail = Buffer.alloc(4);
  tail.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), data])), 0);
  return Buffer.concat([head, data, tail]);
}

// A PNG file of an 8-bit RGB picture given top row first.
export function encodePng(width, height, rgb) {
  if (rgb.length !== width * height * 3) throw new Error('encodePng: size and data disagree');
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header[8] = 8; // bits per channel
  header[9] = 2; // RGB
  // Each row goes unfiltered: filter byte 0, then its pixels.
  const stride = width * 3;
  const rows = Buffer.alloc((stride + 1) * height);
  for (let y = 0; y < height; y++)
    Buffer.from(rgb.buffer, rgb.byteOffset + y * stride, stride).copy(rows, y * (stride + 1) + 1);
  return Buffer.concat([
    kSignature,
    chunk('IHDR', header),
    chunk('IDAT', zlib.deflateSync(rows)),
    chunk('IEND', Buffer.alloc(0)),
  ]);
}

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Reads an 8-bit RGB or RGBA PNG file's bytes. Returns { width, height,
// channels, pixels } with the pixels top row first; throws on anything else.
export function decodePng(file) {
  if (file.length < 8 || !file.subarray(0, 8).equals(kSignature)) throw new Error('not a PNG file');
  let width = 0, height = 0, channels = 0;
  const data = [];
  for (let at = 8; at + 12 <= file.length;) {
    const length = file.readUInt32BE(at);
    const type = file.toString('latin1', at + 4, at + 8);
    const body = file.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      channels = { 2: 3, 6: 4 }[body[9]] || 0;
      if (body[8] !== 8 || !channels || body[12] !== 0)
        throw new Error(`unsupported PNG: depth ${body[8]}, colour type ${body[9]}, interlace ${body[12]}`);
    } else if (type === 'IDAT') {
      data.push(body);
    } else if (type === 'IEND') {
      break;
    }
    at += 12 + length;
  }
  const stride = width * channels;
  const raw = zlib.inflateSync(Buffer.concat(data));
  if (!channels || raw.length !== (stride + 1) * height) throw new Error('PNG data of the wrong size');
  const pixels = Buffer.alloc(stride * height);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const line = y * (stride + 1) + 1;
    const row = y * stride;
    for (let i = 0; i < stride; i++) {
      const left = i >= channels ? pixels[row + i - channels] : 0;
      const up = y > 0 ? pixels[row - stride + i] : 0;
      const upLeft = y > 0 && i >= channels ? pixels[row - stride + i - channels] : 0;
      const predictor = [0, left, up, (left + up) >> 1, paeth(left, up, upLeft)][filter];
      if (predictor === undefined) throw new Error(`unknown PNG filter ${filter}`);
      pixels[row + i] = (raw[line + i] + predictor) & 0xff;
    }
  }
  return { width, height, channels, pixels };
}

// A decoded picture as { width, height, rgba }, 4 bytes a pixel.
export function toRgba({ width, height, channels, pixels }) {
  if (channels === 4) return { width, height, rgba: pixels };
  const rgba = Buffer.alloc(width * height * 4, 255);
  for (let i = 0, j = 0; i < pixels.length; i += 3, j += 4) pixels.copy(rgba, j, i, i + 3);
  return { width, height, rgba };
}
