// What the shelf and the window may do to a dragger: the shelf tells the dragger of a
// replicant whose shelf it is; a window that hears _SHOW_DRAG_HANDLES_ records the user's
// choice and redraws its own draggers.
#ifndef _DRAGGER_PRIVATE_H
#define _DRAGGER_PRIVATE_H

#include <Dragger.h>

class BWindow;

class BDragger::Private {
public:
	explicit Private(BDragger* dragger) : fDragger(dragger) {}

	void SetShelf(BShelf* shelf) { fDragger->fShelf = shelf; }
	// A dragger beside its target learns it from the shelf that placed both.
	void SetTarget(BView* target)
	{
		fDragger->fTarget = target;
		fDragger->fRelation = TARGET_IS_SIBLING;
	}
	// The target, found from the relation when the dragger came from an archive.
	BView* FindTarget()
	{
		fDragger->_FindTarget();
		return fDragger->fTarget;
	}
	bool TargetIsChild() const { return fDragger->fRelation == TARGET_IS_CHILD; }

	// The field of a dragged archive that holds the archive of a dragger that is its
	// target's sibling.
	static const char* const kWidgetField;

	static void DraggersShown(BWindow* window, bool shown);

private:
	BDragger* fDragger;
};

#endif // _DRAGGER_PRIVATE_H
