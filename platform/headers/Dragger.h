// The handle of a replicant: a small hatched square, usually in a corner of the view it
// stands for (its target). Draggers are drawn while draggers are shown
// (ShowAllDraggers/HideAllDraggers); the kit has no shelf for replicants to be dropped into.
#ifndef _DRAGGER_H
#define _DRAGGER_H

#include <View.h>

class BBitmap;

class BDragger : public BView {
public:
	// target: the view the handle stands for; the dragger usually is its child.
	BDragger(BRect frame, BView* target, uint32 resizingMode = B_FOLLOW_NONE,
		uint32 flags = B_WILL_DRAW);
	BDragger(BMessage* archive);
	virtual ~BDragger();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void AttachedToWindow();
	virtual void DetachedFromWindow();
	virtual void Draw(BRect updateRect);
	virtual void MessageReceived(BMessage* message);

	// Whether draggers are drawn, for every dragger of the application.
	static status_t ShowAllDraggers();
	static status_t HideAllDraggers();
	static bool AreDraggersDrawn();

	// The target: the parent when the dragger was made as its child.
	BView* Target() const;
	// Always false: the kit has no shelves.
	bool InShelf() const { return false; }

protected:
	bool IsVisibilityChanging() const { return false; }

private:
	BView* fTarget;
};

#endif // _DRAGGER_H
