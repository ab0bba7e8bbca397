// A label and a pop-up menu beside it: the field shows the menu's title (with a
// label-from-marked menu, the marked item's label) in a box with a marker; a click opens
// the menu. The divider separates the label from the box.
//
// Ownership: the field owns its menu.
#ifndef _MENU_FIELD_H
#define _MENU_FIELD_H

#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <View.h>

#include <string>

class BMenuField : public BView {
public:
							BMenuField(BRect frame, const char* name, const char* label,
								BMenu* menu,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	// With fixedSize the box keeps the frame's width; otherwise it fits the title.
							BMenuField(BRect frame, const char* name, const char* label,
								BMenu* menu, bool fixedSize,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	// The field of an archive: its label, divider, alignment, state and its menu (the
	// menu's own archive, or the older form below).
							BMenuField(BMessage* archive);
	virtual					~BMenuField();

	static	BArchivable*	Instantiate(BMessage* archive);
	// Adds "_label", "_divide", "_align", "_fixed", "_disable" (when disabled) and
	// "_menu", the menu's archive. Fields archived before menus archived themselves
	// hold in "_menu" the menu's "_name", "_radio", "_marked" and its items' archives
	// in "_items"; they are still read.
	virtual	status_t		Archive(BMessage* archive, bool deep = true) const;
	virtual	status_t		AllArchived(BMessage* into) const;
	virtual	status_t		AllUnarchived(const BMessage* from);

			BMenu*			Menu() const { return fMenu; }
			BMenuBar*		MenuBar() const { return fMenuBar; }
			// The item of the field's bar that holds the menu.
			BMenuItem*		MenuItem() const;

	virtual	void			SetLabel(const char* label);
			const char*		Label() const;
	virtual	void			SetEnabled(bool enabled);
			bool			IsEnabled() const { return fEnabled; }
	virtual	void			SetAlignment(alignment label);
			alignment		Alignment() const { return fAlignment; }
	// The x coordinate (view coordinates) where the box begins.
	virtual	void			SetDivider(float divider);
			float			Divider() const { return fDivider; }
			void			ShowPopUpMarker();
			void			HidePopUpMarker();

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			MakeFocus(bool focus = true);
	virtual	void			FrameResized(float newWidth, float newHeight);
	virtual	void			GetPreferredSize(float* width, float* height);

private:
			void			_Init(const char* label, BMenu* menu, bool fixedSize);
			// Sets the field's height to what its fonts need, as a new field does.
			void			_FitHeight();
			void			_LayOutBar();

			std::string		fLabel;
			BMenu*			fMenu;
			BMenuBar*		fMenuBar;
			float			fDivider;
			alignment		fAlignment;
			bool			fEnabled;
			bool			fFixedSize;
			bool			fShowMarker;
};

#endif // _MENU_FIELD_H
