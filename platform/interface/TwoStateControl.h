// What the two-state controls (BCheckBox, BRadioButton, BPictureButton) share: the press
// of the pointer that becomes a click, the keys that click, and the indicator drawn left
// of a label (a check box's square, a radio button's circle).
//
// A press is tracked with BControl's tracking state, which the control sets itself (it is
// protected), and a pressed flag the control keeps for drawing:
//
//	void BCheckBox::MouseDown(BPoint where)
//	{
//		if (BPrivate::begin_press(this, true, &fPressed))
//			SetTracking(true);
//	}
#ifndef _TWO_STATE_CONTROL_H
#define _TWO_STATE_CONTROL_H

#include <Control.h>

namespace BPrivate {

// The indicator's side and the gap between it and the label.
const float kIndicatorSize = 12;
const float kIndicatorLabelGap = 6;

// Starts a press on control unless it is disabled; *pressed shows it pressed when
// showPressed says so. Returns whether the control is to track the pointer.
bool begin_press(BControl* control, bool showPressed, bool* pressed);

// While tracking: the control shows itself pressed while the pointer is over it.
void follow_press(BControl* control, BPoint where, bool* pressed);

// Ends a tracked press at where; returns whether it was a click (released over the
// control).
bool end_press(BControl* control, BPoint where, bool* pressed);

// Whether a key press acts as a click: Space or Enter on an enabled control.
bool is_click_key(const BControl* control, const char* bytes, int32 numBytes);

// The indicator's frame at the left of bounds, centred vertically.
BRect indicator_frame(BRect bounds);

// The indicator's face (the document colour, the view's when disabled, darker while
// pressed) and its mark (dimmed when disabled).
rgb_color indicator_face(const BControl* control, bool pressed);
rgb_color indicator_mark(const BControl* control);

// Draws control's label in color right of indicator, centred vertically. Returns false
// without a label; otherwise sets the label's extent and baseline, where the control
// draws its focus mark.
bool draw_indicator_label(BControl* control, BRect indicator, rgb_color color, float* left,
	float* right, float* baseline);

// The size of an indicator with control's label beside it.
void get_indicator_preferred_size(BControl* control, float* width, float* height);

// Grows a new control's frame to the height its font needs beside the indicator, as the
// platform's check boxes and radio buttons do when constructed; a taller frame stays.
void grow_to_indicator_height(BControl* control);

} // namespace BPrivate

#endif // _TWO_STATE_CONTROL_H
