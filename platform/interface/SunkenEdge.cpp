// The sunken edge that framed controls share.
#include "interface/SunkenEdge.h"

namespace BPrivate {

void
stroke_sunken_edge(BView* view, BRect frame, rgb_color background)
{
	rgb_color dark = tint_color(background, B_DARKEN_3_TINT);
	rgb_color light = tint_color(background, B_LIGHTEN_MAX_TINT);
	view->BeginLineArray(4);
	view->AddLine(frame.LeftTop(), frame.RightTop(), dark);
	view->AddLine(frame.LeftTop(), frame.LeftBottom(), dark);
	view->AddLine(frame.LeftBottom(), frame.RightBottom(), light);
	view->AddLine(frame.RightTop(), frame.RightBottom(), light);
	view->EndLineArray();
}

} // namespace BPrivate
