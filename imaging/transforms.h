// Geometric operations on a picture: the eight EXIF orientations, fine rotation, resampling and
// cropping. Each returns false with a text when the result cannot be allocated.
#pragma once

#include <string>

#include "imaging/image.h"

namespace imaging {

// Turns the stored pixels so that a picture tagged with this EXIF orientation (1..8) looks right.
bool applyOrientation(Image& image, int orientation, std::string& error);
// The orientation (1..8) whose turn does the same as the turn of `first` followed by that of
// `then`; e.g. 6 (a quarter turn clockwise) twice gives 3.
int composeOrientations(int first, int then);
// Clockwise rotation; multiples of 90 degrees are exact, other angles bilinear on an enlarged
// canvas whose uncovered corners are white.
bool rotateFine(Image& image, double degrees, std::string& error);
bool resize(Image& image, int width, int height, int filter, std::string& error);
// The pixels of image resampled as resize does, into out (pixels and size only: no metadata);
// image stays as it was.
bool resizeInto(const Image& image, int width, int height, int filter, Image& out,
                std::string& error);
// Inclusive rectangle, clipped to the picture.
bool crop(Image& image, int left, int top, int right, int bottom, std::string& error);

}  // namespace imaging
