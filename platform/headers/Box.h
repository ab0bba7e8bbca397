// A frame around a group of views, with an optional label set into its top edge.
#ifndef _BOX_H
#define _BOX_H

#include <View.h>

#include <string>

class BBox : public BView {
public:
							BBox(BRect frame, const char* name = NULL,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS
									| B_NAVIGABLE_JUMP,
								border_style border = B_FANCY_BORDER);
	// The box of an archive: the view's fields, "_style" (the border), and "_label"
	// or, with "_lblview", its first child as the label view.
							BBox(BMessage* archive);
	virtual					~BBox();

	static	BArchivable*	Instantiate(BMessage* archive);
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

	virtual	void			SetBorder(border_style border);
			border_style	Border() const { return fBorder; }
			// NULL removes the label (a view label too, which is deleted).
			void			SetLabel(const char* label);
			// A view in place of the text label, a child at the label's place (the
			// first child) that the box owns; NULL removes it.
			status_t		SetLabel(BView* viewLabel);
			// NULL with a view label.
			const char*		Label() const;
			BView*			LabelView() const { return fLabelView; }
			// The part of the box inside its border and below its label.
			BRect			InnerFrame();

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			FrameResized(float newWidth, float newHeight);
	virtual	void			GetPreferredSize(float* width, float* height);
	virtual	void			MessageReceived(BMessage* message);

	// Scripting: "Label" (get, set).
	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 form, const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

private:
			// The top of the border line: lowered to the middle of the label's text.
			float			_TopBorderOffset();
			void			_ClearLabelView();

			std::string		fLabel;
			bool			fHasLabel;
			border_style	fBorder;
			BView*			fLabelView;
};

#endif // _BOX_H
