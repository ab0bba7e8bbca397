// What the kit's own widgets may do to any view: a scroll bar registers itself as the
// view's, and hears the view's scroll position on its axis whenever the view scrolls; a
// print job marks the view as printing; a shelf makes itself the view's.
#ifndef _VIEW_PRIVATE_H
#define _VIEW_PRIVATE_H

#include <View.h>

class BView::Private {
public:
	explicit Private(BView* view) : fView(view) {}

	// A NULL bar unregisters the axis.
	void SetScrollBar(orientation direction, BScrollBar* bar,
		std::function<void(float)> onScroll)
	{
		int axis = direction == B_HORIZONTAL ? 0 : 1;
		fView->fScrollBars[axis] = bar;
		fView->fScrollListeners[axis] = bar != NULL ? std::move(onScroll) : nullptr;
	}

	// A print job draws the view: IsPrinting() is true until the matching false.
	void SetPrinting(bool printing) { fView->fPrinting += printing ? 1 : -1; }

	// The shelf that holds replicants in the view (NULL for none): the view hands it
	// to its window as a handler and resolves "Shelf" to it.
	void SetShelf(BShelf* shelf) { fView->fShelf = shelf; }
	BShelf* Shelf() const { return fView->fShelf; }

private:
	BView* fView;
};

#endif // _VIEW_PRIVATE_H
