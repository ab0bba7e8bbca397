// The views that SampleViewer's windows are made of.
#ifndef _SAMPLE_VIEWS_H
#define _SAMPLE_VIEWS_H

#include <View.h>

class BBitmap;

// A filled rectangle with a border and, when it has one, its name written inside.
class SwatchView : public BView {
public:
							SwatchView(BRect frame, const char* name, rgb_color color,
								uint32 resizingMode);

	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);

private:
			rgb_color		fColor;
};

// A 16 by 16 icon drawn in the system palette, its background transparent.
class IconView : public BView {
public:
							IconView(BPoint where, const char* name);
	virtual					~IconView();

	virtual	void			Draw(BRect updateRect);

private:
			BBitmap*		fIcon;
};

#endif // _SAMPLE_VIEWS_H
