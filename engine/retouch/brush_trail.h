// The Blur shortcut strokes from the point of its previous call; the library keeps that point.
#pragma once

namespace dnr {

// Forgets the previous point: the next Blur call is a single dab.
void forgetBrushTrail();

}  // namespace dnr
