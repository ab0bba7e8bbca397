// The drawing-state stack.
#include "interface/DrawState.h"

namespace BPrivate {

void
DrawStateStack::Push()
{
	DrawState next = fStates.back();
	next.baseOrigin = next.CombinedOrigin();
	next.origin = B_ORIGIN;
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
	DrawState& state = fStates.back();
	rect.OffsetBy(state.CombinedOrigin());
	state.clipping = state.hasClipping ? state.clipping & rect : rect;
	state.hasClipping = true;
}

} // namespace BPrivate
