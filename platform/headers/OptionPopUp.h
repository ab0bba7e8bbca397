// An option control shown as a menu field: its options are the items of a pop-up menu,
// and the marked item is the option whose value is the control's.
//
// Ownership: the control owns its menu field, which owns the menu and its items.
#ifndef _OPTION_POP_UP_H
#define _OPTION_POP_UP_H

#include <OptionControl.h>

class BMenuField;

class BOptionPopUp : public BOptionControl {
public:
							BOptionPopUp(BRect frame, const char* name, const char* label,
								BMessage* message,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW);
	// With fixed the field's box keeps its width rather than fitting the marked option.
							BOptionPopUp(BRect frame, const char* name, const char* label,
								BMessage* message, bool fixed,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW);
	virtual					~BOptionPopUp();

			BMenuField*		MenuField();

	virtual	bool			GetOptionAt(int32 index, const char** name, int32* value);
	virtual	void			RemoveOptionAt(int32 index);
	virtual	int32			CountOptions() const;
	// B_BAD_INDEX out of 0 to CountOptions(); the first option added is selected.
	virtual	status_t		AddOptionAt(const char* name, int32 value, int32 index);
	virtual	int32			SelectedOption(const char** name = NULL,
								int32* value = NULL) const;

	virtual	void			AllAttached();
	virtual	void			SetLabel(const char* label);
	// Marks the option of that value (none when no option has it).
	virtual	void			SetValue(int32 value);
	virtual	void			SetEnabled(bool enabled);
	virtual	void			GetPreferredSize(float* width, float* height);
	virtual	void			ResizeToPreferred();

private:
			void			_Init(const char* label, bool fixed);

			BMenuField*		fField;
};

#endif // _OPTION_POP_UP_H
