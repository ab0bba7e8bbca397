// A view that frames a target view and gives it scroll bars. Its frame is the target's
// frame grown by the border (2 pixels fancy, 1 plain, 0 none) on every side and by
// B_V_SCROLL_BAR_WIDTH on the right and B_H_SCROLL_BAR_HEIGHT at the bottom for the bars
// it has; the target moves inside, to (border, border). The bars are children named
// "_HSB_" and "_VSB_"; each covers the border's innermost line on its three outer sides,
// and with both bars the 15 by 15 pixel corner between them is left to the owner.
//
// Runs on the window's thread, with the window locked.
#ifndef _SCROLL_VIEW_H
#define _SCROLL_VIEW_H

#include <ScrollBar.h>
#include <View.h>

class BScrollView : public BView {
public:
							BScrollView(const char* name, BView* target,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = 0, bool horizontal = false,
								bool vertical = false,
								border_style border = B_FANCY_BORDER);
	// The view of an archive: the view's fields and "_style" (the border); its
	// archived children give back the target (the first child that is not a bar) and
	// the bars, which target it again.
							BScrollView(BMessage* archive);

	static	BArchivable*	Instantiate(BMessage* archive);
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;
	virtual	void			Draw(BRect updateRect);
	// The mouse wheel over the frame scrolls the vertical bar.
	virtual	void			MessageReceived(BMessage* message);

			// NULL for a bar the view does not have.
			BScrollBar*		ScrollBar(orientation direction) const;
			BView*			Target() const { return fTarget; }
			// Keeps the frame: the target and the bars move to the new border.
	virtual	void			SetBorder(border_style border);
			border_style	Border() const { return fBorder; }
			// A highlighted fancy border draws its inner line in the keyboard
			// navigation colour (a text view in focus asks for it). B_ERROR for
			// another border.
	virtual	status_t		SetBorderHighlighted(bool highlight);
			bool			IsBorderHighlighted() const { return fHighlighted; }

private:
	static	float			_BorderSize(border_style border);
	static	BRect			_Frame(BView* target, bool horizontal, bool vertical,
								border_style border);

			BView*			fTarget;
			BScrollBar*		fHorizontalBar;
			BScrollBar*		fVerticalBar;
			border_style	fBorder;
			bool			fHighlighted;
};

#endif // _SCROLL_VIEW_H
