// A bar that fills as work progresses, from 0 to its maximum value, with a label and a
// text on the left above it and a trailing label and text on the right. It takes no
// input. The messages B_UPDATE_STATUS_BAR ("delta", "text", "trailing_text") and
// B_RESET_STATUS_BAR ("label", "trailing_label") sent to it update it from other threads.
#ifndef _STATUS_BAR_H
#define _STATUS_BAR_H

#include <View.h>

#include <string>

class BStatusBar : public BView {
public:
							BStatusBar(BRect frame, const char* name,
								const char* label = NULL,
								const char* trailingLabel = NULL);
	virtual					~BStatusBar();

	// Adds delta to the value (kept within 0 and the maximum) and replaces the texts
	// that are not NULL.
	virtual	void			Update(float delta, const char* text = NULL,
								const char* trailingText = NULL);
	// Back to 0, with new labels and no texts.
	virtual	void			Reset(const char* label = NULL,
								const char* trailingLabel = NULL);
	virtual	void			SetTo(float value, const char* text = NULL,
								const char* trailingText = NULL);

			float			CurrentValue() const { return fValue; }
			float			MaxValue() const { return fMax; }
	virtual	void			SetMaxValue(float max);
			const char*		Label() const { return fLabel.c_str(); }
			const char*		TrailingLabel() const { return fTrailingLabel.c_str(); }
			const char*		Text() const { return fText.c_str(); }
			const char*		TrailingText() const { return fTrailingText.c_str(); }
	virtual	void			SetText(const char* text);
	virtual	void			SetTrailingText(const char* text);
	virtual	void			SetBarColor(rgb_color color);
			rgb_color		BarColor() const { return fBarColor; }
	virtual	void			SetBarHeight(float height);
			float			BarHeight() const { return fBarHeight; }

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			GetPreferredSize(float* width, float* height);

	// The bar, in view coordinates.
			BRect			BarFrame() const;

private:
			std::string		fLabel;
			std::string		fTrailingLabel;
			std::string		fText;
			std::string		fTrailingText;
			float			fValue;
			float			fMax;
			float			fBarHeight;
			rgb_color		fBarColor;
};

#endif // _STATUS_BAR_H
