// A line of text, drawn in the view's font and high colour on its parent's colour. The
// text is drawn as given: a caller that wants it shortened truncates it first.
#ifndef _STRING_VIEW_H
#define _STRING_VIEW_H

#include <View.h>

#include <string>

class BStringView : public BView {
public:
							BStringView(BRect frame, const char* name, const char* text,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW);
	// The view of an archive: the view's fields, "_text" and "_align".
							BStringView(BMessage* archive);
	virtual					~BStringView();

	static	BArchivable*	Instantiate(BMessage* archive);
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;

			void			SetText(const char* text);
			const char*		Text() const { return fText.c_str(); }
			void			SetAlignment(alignment flag);
			alignment		Alignment() const { return fAlignment; }

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			GetPreferredSize(float* width, float* height);
	virtual	void			MessageReceived(BMessage* message);

	// Scripting: "Text" (get, set).
	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 form, const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

private:
			std::string		fText;
			alignment		fAlignment;
};

#endif // _STRING_VIEW_H
