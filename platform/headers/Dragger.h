// The handle of a replicant: a small hatched square, usually in a corner of the view it
// stands for (its target). Dragging it drags the target's archive (B_ARCHIVED_OBJECT) to a
// shelf of this or another application; pressing it with the secondary button, or
// clicking it, opens its menu (About, and Remove Replicant in a shelf). Draggers are drawn
// while the user shows them (ShowAllDraggers/HideAllDraggers), in every application.
//
// The target is the dragger's parent (the dragger made as the target's child), its child
// (the dragger made around the target), or any other view of the window (a sibling; its
// archive then travels with the dragger's).
#ifndef _DRAGGER_H
#define _DRAGGER_H

#include <View.h>

class BBitmap;
class BPopUpMenu;
class BShelf;

class BDragger : public BView {
public:
	BDragger(BRect frame, BView* target, uint32 resizingMode = B_FOLLOW_NONE,
		uint32 flags = B_WILL_DRAW);
	BDragger(BMessage* archive);
	virtual ~BDragger();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void AttachedToWindow();
	virtual void DetachedFromWindow();
	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MessageReceived(BMessage* message);

	// Whether draggers are drawn, for every dragger of every kit application; the choice
	// is the user's and outlives the applications (docs/replicants.md).
	static status_t ShowAllDraggers();
	static status_t HideAllDraggers();
	static bool AreDraggersDrawn();

	// The menu the dragger opens instead of its own; the dragger owns it. NULL restores
	// the default menu.
	status_t SetPopUp(BPopUpMenu* menu);
	BPopUpMenu* PopUp() const;

	// Whether the target is a replicant in a shelf.
	bool InShelf() const;
	BView* Target() const;

	// The image dragged with the archive, and where the pointer holds it; NULL (the
	// default) drags the target's outline. The caller deletes the bitmap.
	virtual BBitmap* DragBitmap(BPoint* offset, drawing_mode* mode);

	class Private;

protected:
	// True while Draw is called because draggers were just shown or hidden.
	bool IsVisibilityChanging() const;

private:
	friend class Private;

	enum relation {
		TARGET_UNKNOWN,
		TARGET_IS_CHILD,
		TARGET_IS_PARENT,
		TARGET_IS_SIBLING
	};

	void _FindTarget();
	void _Drag(BPoint where);
	void _ShowMenu(BPoint where);

	BView* fTarget;
	relation fRelation;
	BShelf* fShelf;
	BPopUpMenu* fPopUp;
	bool fTransition;
};

#endif // _DRAGGER_H
