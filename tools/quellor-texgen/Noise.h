// Small deterministic hash-based value noise. Every lattice wraps after a given
// number of cells, so noise sampled across a whole picture with a whole number
// of cells joins up with itself at the picture's borders.
#ifndef QUELLOR_TEXGEN_NOISE_H
#define QUELLOR_TEXGEN_NOISE_H

// A well-mixed 32-bit hash of two integers and a seed.
unsigned int HashInts(int x, int y, unsigned int seed);
// The same hash as a float in [0, 1).
float HashUnit(int x, int y, unsigned int seed);

// Smoothly interpolated random values at integer lattice points, in [0, 1).
// Lattice coordinates repeat every `period` cells in both directions.
float ValueNoise(float x, float y, int period, unsigned int seed);

// Sum of `octaves` layers of value noise, each twice the frequency and half
// the weight of the one before, scaled back to [0, 1).
float FractalNoise(float x, float y, int period, int octaves, unsigned int seed);

// Fractal noise over a square picture of `pictureSize` pixels at pixel (x, y)
// with `cells` lattice cells across the picture at the coarsest octave: it
// tiles seamlessly when the picture is repeated.
float PictureNoise(float x, float y, int pictureSize, int cells, int octaves, unsigned int seed);

#endif
