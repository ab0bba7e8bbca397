// The drawing-state stack.
#include "interface/DrawState.h"

namespace BPrivate {

void
DrawStateStack::Push()
{
	DrawState next = fStates.back();
	next.baseOrigin = next.CombinedOrigin();
	next.origin = B_ORIGIN;
	next.baseScale = next.CombinedScale();
	next.scale = 1.0f;
	next.hasBaseClipping = next.hasClipping;
	next.baseClipping = next.clipping;
	fStates.push_back(next);
}


bool
DrawStateStack::Pop()
{
	if (fStates.size() <= 1)
		return false;
	fStates.pop_back();
	return true;
}


void
DrawStateStack::ClipToRect(BRect rect)
{
	IntersectClipping(BRegion(fStates.back().ToView(rect)));
}


void
DrawStateStack::ConstrainClipping(const BRegion* region)
{
	DrawState& state = fStates.back();
	state.hasClipping = state.hasBaseClipping;
	state.clipping = state.baseClipping;
	if (region != NULL)
		IntersectClipping(*region);
}


void
DrawStateStack::IntersectClipping(const BRegion& region)
{
	DrawState& state = fStates.back();
	if (state.hasClipping)
		state.clipping.IntersectWith(&region);
	else
		state.clipping = region;
	state.hasClipping = true;
}

} // namespace BPrivate
