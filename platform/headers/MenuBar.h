// The row of menu titles along the top of a window. A click on a title opens its menu;
// the first bar attached to a window becomes the window's key menu bar, whose items'
// shortcuts the window answers.
#ifndef _MENU_BAR_H
#define _MENU_BAR_H

#include <Menu.h>

enum menu_bar_border {
	B_BORDER_FRAME,
	B_BORDER_CONTENTS,
	B_BORDER_EACH_ITEM
};

class BMenuBar : public BMenu {
public:
	// With resizeToFit the bar takes its height from its font (and, in a column, its
	// width from its items).
							BMenuBar(BRect frame, const char* name,
								uint32 resizingMode = B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
								menu_layout layout = B_ITEMS_IN_ROW,
								bool resizeToFit = true);
	// The bar of an archive: the menu's fields and "_border".
							BMenuBar(BMessage* archive);
	virtual					~BMenuBar();

	static	BArchivable*	Instantiate(BMessage* archive);
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

			void			SetBorder(menu_bar_border border);
			menu_bar_border	Border() const { return fBorder; }

	virtual	void			AttachedToWindow();
	virtual	void			DetachedFromWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			WindowActivated(bool active);

			class Private;

private:
	friend class Private;

			menu_bar_border	fBorder;
			// The title whose menu a press opened; a release over the bar keeps it open.
			BMenuItem*		fPressedItem;
			bool			fOpenedByPress;
			// A bar that another view lays out (a menu field's) keeps the frame it is given
			// when attached.
			bool			fLaidOutByOwner;
};

#endif // _MENU_BAR_H
