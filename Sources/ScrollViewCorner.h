// The square between a scroll view's two bars. Its view colour is the shade its scroll
// view gives it; it draws a darker line along its bottom and right edges.
#ifndef SCROLL_VIEW_CORNER_H
#define SCROLL_VIEW_CORNER_H

#include <View.h>


class ScrollViewCorner : public BView {
public:
	// A 15 by 15 square with its top-left corner at (left, top), following the
	// bottom-right corner of its parent.
							ScrollViewCorner(float left, float top);
	virtual					~ScrollViewCorner();

	virtual	void			Draw(BRect updateRect);
};

#endif // SCROLL_VIEW_CORNER_H
