// A bar that scrolls its target view along one axis: arrows at both ends step by the
// small step, clicks in the trough page by the large step, the thumb drags, the mouse
// wheel steps. The value is the target's scroll position on the bar's axis: setting
// it scrolls the target, and scrolling the target moves the bar.
//
// Runs on the window's thread, with the window locked.
#ifndef _SCROLL_BAR_H
#define _SCROLL_BAR_H

#include <View.h>

// A vertical bar's frame is B_V_SCROLL_BAR_WIDTH wide, a horizontal one's
// B_H_SCROLL_BAR_HEIGHT high (InterfaceDefs.h).

class BScrollBar : public BView {
public:
							BScrollBar(BRect frame, const char* name, BView* target,
								float min, float max, orientation direction);
	// The bar of an archive: the view's fields, "_range" and "_steps" (two floats
	// each), "_val", "_prop" (float) and "_orient" (int32). The target is not archived:
	// a scroll view sets its bars' target, or the owner calls SetTarget().
							BScrollBar(BMessage* archive);
	// Stops hearing the target. A target deleted first lets go of the bar by itself.
	virtual					~BScrollBar();

	static	BArchivable*	Instantiate(BMessage* archive);
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	// B_MOUSE_WHEEL_CHANGED steps by three small steps per notch.
	virtual	void			MessageReceived(BMessage* message);
	// Called whenever the value changes; scrolls the target.
	virtual	void			ValueChanged(float newValue);

			// Kept within the range, rounded to whole pixels.
			void			SetValue(float value);
			float			Value() const { return fValue; }
			// The visible part of the whole, 0 to 1: the thumb's share of the trough.
			void			SetProportion(float proportion);
			float			Proportion() const { return fProportion; }
			// A max below min becomes min: nothing to scroll, no thumb.
			void			SetRange(float min, float max);
			void			GetRange(float* min, float* max) const;
			void			SetSteps(float smallStep, float largeStep);
			void			GetSteps(float* smallStep, float* largeStep) const;

			// The bar registers with its target: the target's ScrollBar(orientation)
			// answers it. NULL detaches.
			void			SetTarget(BView* target);
			// By name, among the window's views (once attached).
			void			SetTarget(const char* targetName);
			BView*			Target() const { return fTarget; }
			orientation		Orientation() const { return fOrientation; }

private:
			struct TargetLink;

			enum Part {
				kNoPart,
				kDecrementArrow,
				kIncrementArrow,
				kTroughBefore,
				kTroughAfter,
				kThumb
			};

			void			_TargetScrolled(float position);
			float			_Along(BPoint point) const;
			float			_Length() const;
			float			_ButtonLength() const;
			// The thumb's extent along the axis; false when there is no thumb.
			bool			_ThumbExtent(float* start, float* length) const;
			Part			_PartAt(BPoint where) const;
			void			_DrawArrow(BRect frame, bool decrement, bool enabled);

			BView*			fTarget;
			char*			fTargetName;
			orientation		fOrientation;
			float			fMin;
			float			fMax;
			float			fValue;
			float			fProportion;
			float			fSmallStep;
			float			fLargeStep;
			bool			fDragging;
			// Where in the thumb the drag took it.
			float			fDragOffset;
};

#endif // _SCROLL_BAR_H
