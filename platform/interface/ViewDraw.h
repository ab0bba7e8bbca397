// BView::_Draw, which every drawing call of the view goes through, for the files that
// hold those calls.
#ifndef _VIEW_DRAW_H
#define _VIEW_DRAW_H

#include <View.h>

#include "interface/DrawState.h"
#include "interface/Painter.h"
#include "interface/PicturePrivate.h"

// Records a drawing call into the picture being recorded, or paints it on the surface that
// shows the view.
template<typename Record, typename Paint>
void
BView::_Draw(Record record, Paint paint)
{
	const BPrivate::DrawState& state = fStates->Current();
	if (fPicture != NULL) {
		record(_Recording(), state);
		return;
	}
	BPrivate::Painter* painter = _PrepareDrawing();
	if (painter == NULL)
		return;
	paint(*painter, state);
	_Drew();
}

#endif // _VIEW_DRAW_H
