// A control whose value lies between two limits, chosen by dragging a thumb along a bar
// (or clicking on the bar, or with the arrow keys while focused). It sends its message
// when the value is set by the user and, while dragging, its modification message.
#ifndef _SLIDER_H
#define _SLIDER_H

#include <Control.h>

#include <string>

enum hash_mark_location {
	B_HASH_MARKS_NONE = 0,
	B_HASH_MARKS_TOP = 1,
	B_HASH_MARKS_LEFT = 1,
	B_HASH_MARKS_BOTTOM = 2,
	B_HASH_MARKS_RIGHT = 2,
	B_HASH_MARKS_BOTH = 3
};

enum thumb_style {
	B_BLOCK_THUMB,
	B_TRIANGLE_THUMB
};

class BSlider : public BControl {
public:
							BSlider(BRect frame, const char* name, const char* label,
								BMessage* message, int32 minValue, int32 maxValue,
								thumb_style thumbType = B_BLOCK_THUMB,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_NAVIGABLE | B_WILL_DRAW
									| B_FRAME_EVENTS);
	virtual					~BSlider();

	// Values outside the limits are brought inside them.
	virtual	void			SetValue(int32 value);
	virtual	void			SetLimits(int32 minimum, int32 maximum);
			void			GetLimits(int32* minimum, int32* maximum) const;
	// The value's place between the limits, 0 to 1.
	virtual	void			SetPosition(float position);
			float			Position() const;

	// Sent (the slider keeps it) while the thumb is dragged, with "be:value".
	virtual	status_t		SetModificationMessage(BMessage* message);
			BMessage*		ModificationMessage() const { return fModificationMessage; }
	virtual	void			SetKeyIncrementValue(int32 value);
			int32			KeyIncrementValue() const { return fKeyIncrement; }
	virtual	void			SetHashMarks(hash_mark_location where);
			hash_mark_location HashMarks() const { return fHashMarks; }
	virtual	void			SetHashMarkCount(int32 count);
			int32			HashMarkCount() const { return fHashMarkCount; }
	virtual	void			SetLimitLabels(const char* minLabel, const char* maxLabel);
			const char*		MinLimitLabel() const { return fMinLabel.c_str(); }
			const char*		MaxLimitLabel() const { return fMaxLabel.c_str(); }
	virtual	void			SetBarColor(rgb_color color);
			rgb_color		BarColor() const { return fBarColor; }
	// With a fill colour the bar is filled from its start to the thumb.
	virtual	void			UseFillColor(bool useFill, const rgb_color* color = NULL);
			bool			FillColor(rgb_color* color) const;
			thumb_style		Style() const { return fStyle; }
	virtual	void			SetStyle(thumb_style style);

	// Attached, the slider takes the height its label, hash marks and limit labels need.
	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			GetPreferredSize(float* width, float* height);

	// The bar (view coordinates) along which the thumb's middle moves.
			BRect			BarFrame() const;
			BRect			ThumbFrame() const;

private:
			int32			_ValueFor(float x) const;
			void			_SetFromUser(int32 value);

			BMessage*		fModificationMessage;
			int32			fMinValue;
			int32			fMaxValue;
			int32			fKeyIncrement;
			hash_mark_location fHashMarks;
			int32			fHashMarkCount;
			std::string		fMinLabel;
			std::string		fMaxLabel;
			rgb_color		fBarColor;
			rgb_color		fFillColor;
			bool			fUseFill;
			thumb_style		fStyle;
};

#endif // _SLIDER_H
