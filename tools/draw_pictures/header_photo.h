#pragma once

// The photographic parts of the profile card, drawn procedurally: the
// header's soft-focus picture of flowers held in hands with its slogan, and
// the owner's drawn avatar.

#include <QImage>

namespace sorvane::draw {

// The header photograph, width x height, opaque, ARGB32 premultiplied.
QImage draw_header_photo(int width, int height);
// The avatar picture, size x size, opaque, ARGB32 premultiplied.
QImage draw_avatar_picture(int size);

}  // namespace sorvane::draw
