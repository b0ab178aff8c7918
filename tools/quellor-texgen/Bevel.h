// Fake relief for flat pictures: the scene's textures are lit as flat faces,
// so raised edges are painted in, with the light coming from the top left.
#ifndef QUELLOR_TEXGEN_BEVEL_H
#define QUELLOR_TEXGEN_BEVEL_H

// Brightness factor for a point of a raised shape that lies `litDistance`
// pixels from its nearest edge facing the light (top or left) and
// `shadedDistance` pixels from its nearest edge facing away (bottom or right).
// `width` is how far in from an edge the bevel reaches.
float BevelShade(float litDistance, float shadedDistance, float width);

#endif
