// A channel control drawn as one slider a channel, side by side: vertical sliders in a
// row (a mixer's faders) or horizontal ones stacked. Dragging a thumb moves every channel
// to the pointer, or with Shift only that one; the arrow keys move the current channel.
#ifndef _CHANNEL_SLIDER_H
#define _CHANNEL_SLIDER_H

#include <ChannelControl.h>

class BBitmap;

class BChannelSlider : public BChannelControl {
public:
	// Vertical when the frame is taller than wide.
							BChannelSlider(BRect area, const char* name,
								const char* label, BMessage* message, int32 channels = 1,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW);
							BChannelSlider(BRect area, const char* name,
								const char* label, BMessage* message,
								orientation direction, int32 channels = 1,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW);
							BChannelSlider(BMessage* archive);
	virtual					~BChannelSlider();

	static	BArchivable*	Instantiate(BMessage* archive);
	// Adds the channel control's fields and "_orient" (int32).
	virtual	status_t		Archive(BMessage* data, bool deep = true) const;

	virtual	orientation		Orientation() const { return fOrientation; }
			void			SetOrientation(orientation direction);

	// 32.
	virtual	int32			MaxChannelCount() const;
	// False: the sliders share one pair of limit labels, the first channel's.
	virtual	bool			SupportsIndividualLimits() const;

	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			FrameResized(float newWidth, float newHeight);
	virtual	void			SetFont(const BFont* font, uint32 mask = B_FONT_ALL);
	virtual	void			GetPreferredSize(float* width, float* height);

	// Draws a channel's groove and thumb inside area, the channel's strip.
	virtual	void			DrawChannel(BView* into, int32 channel, BRect area,
								bool pressed);
	// The groove runs from leftTop to rightBottom (one of them a line's width).
	virtual	void			DrawGroove(BView* into, int32 channel, BPoint leftTop,
								BPoint rightBottom);
	// Draws ThumbFor() centred on where.
	virtual	void			DrawThumb(BView* into, int32 channel, BPoint where,
								bool pressed);
	// Kept by the slider; the same for every channel.
	virtual	const BBitmap*	ThumbFor(int32 channel, bool pressed);
	// The thumb's frame in view coordinates; false for no such channel.
	virtual	bool			ThumbFrameFor(int32 channel, BRect* frame);
	// How far the thumb's middle is from the minimum's end of the groove.
	virtual	float			ThumbDeltaFor(int32 channel);
	// The length of groove the thumb's middle runs along.
	virtual	float			ThumbRangeFor(int32 channel);

private:
			void			_Init(orientation direction);
			bool			_Vertical() const { return fOrientation == B_VERTICAL; }
			// The rectangle the strips share, below the label and between the limit
			// labels.
			BRect			_ChannelsArea() const;
			BRect			_StripFor(int32 channel) const;
			float			_LabelRowHeight() const;
			int32			_ChannelAt(BPoint where) const;
			int32			_ValueAt(int32 channel, BPoint where);
			void			_MoveTracked(BPoint where, bool modifying);
			void			_DropThumbs();

			orientation		fOrientation;
			BBitmap*		fThumbs[2];
			// The channel a press took, and whether the others follow it.
			int32			fTrackedChannel;
			bool			fAllChannels;
};

#endif // _CHANNEL_SLIDER_H
