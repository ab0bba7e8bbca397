// The one-pixel edge that makes a frame look sunk into its view: darker above and left,
// lighter below and right, as check boxes and the colour control's ramps have it.
#ifndef _SUNKEN_EDGE_H
#define _SUNKEN_EDGE_H

#include <View.h>

namespace BPrivate {

// Strokes frame's edge in tints of background (B_DARKEN_3_TINT, B_LIGHTEN_MAX_TINT).
void stroke_sunken_edge(BView* view, BRect frame, rgb_color background);

} // namespace BPrivate

#endif // _SUNKEN_EDGE_H
