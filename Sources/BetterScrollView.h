// A scroll view whose bars are driven by a data rectangle that its owner declares, not
// by the target's size: the bars scroll through exactly that rectangle (or the visible
// part, when it is larger), the target is brought back when it stands outside, and a
// corner square between the bars shows whether either has anything to scroll.
//
// Runs on the window's thread, with the window locked.
#ifndef BETTER_SCROLL_VIEW_H
#define BETTER_SCROLL_VIEW_H

#include <ScrollView.h>

class BScrollBar;
class ScrollViewCorner;


class BetterScrollView : public BScrollView {
public:
	// The corner exists only when it and both bars are asked for.
							BetterScrollView(const char* name, BView* target,
								uint32 resizingMode, uint32 flags, bool horizontal,
								bool vertical, bool corner,
								border_style border = B_FANCY_BORDER);
	virtual					~BetterScrollView();

	virtual	void			AttachedToWindow();
	virtual	void			FrameResized(float newWidth, float newHeight);

	// In the target's coordinates. With fit, the target scrolls back inside the data.
	virtual	void			SetDataRect(BRect dataRect, bool fit = true);
			BRect			GetDataRect() const { return fDataRect; }

			// Sets the bars' ranges, proportions and steps from the data rectangle.
			void			UpdateScrollBars(bool fit);

			ScrollViewCorner* Corner() const { return fCorner; }

private:
			BRect			fDataRect;
			BScrollBar*		fHScrollBar;
			BScrollBar*		fVScrollBar;
			ScrollViewCorner* fCorner;
			BView*			fTarget;
};

#endif // BETTER_SCROLL_VIEW_H
