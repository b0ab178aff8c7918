// The three default textures of the scene, drawn procedurally and
// deterministically: the same pictures on every run and every machine.
#ifndef QUELLOR_TEXGEN_TEXTURE_PICTURES_H
#define QUELLOR_TEXGEN_TEXTURE_PICTURES_H

#include "Picture.h"

// Width and height of every texture picture.
const int kTexturePictureSize = 256;

// "tex1.bmp", the cubes: a wooden crate face, shown whole on each face.
Picture DrawCratePicture();
// "tex2.bmp", the floor: stone flags with grout, repeating seamlessly.
Picture DrawFloorPicture();
// "tex3.bmp", the pillar and the wall: brickwork with mortar joints.
Picture DrawBrickPicture();

#endif
