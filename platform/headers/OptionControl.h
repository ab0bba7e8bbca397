// A control that offers a list of named options, each with an int32 value; the control's
// value is the value of the option chosen. Subclasses keep the options and show them.
#ifndef _OPTION_CONTROL_H
#define _OPTION_CONTROL_H

#include <Control.h>

// The command of the messages the options send to their control (MakeValueMessage).
enum {
	B_OPTION_CONTROL_VALUE = '_BMV'
};

class BOptionControl : public BControl {
public:
							BOptionControl(BRect frame, const char* name,
								const char* label, BMessage* message,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW);
	virtual					~BOptionControl();

	// A B_OPTION_CONTROL_VALUE message with "be:value" sets the value and invokes.
	virtual	void			MessageReceived(BMessage* message);

	// Adds the option at the end.
			status_t		AddOption(const char* name, int32 value);
	// False out of range; the name stays the subclass's.
	virtual	bool			GetOptionAt(int32 index, const char** name,
								int32* value) = 0;
	virtual	void			RemoveOptionAt(int32 index) = 0;
	virtual	int32			CountOptions() const = 0;
	virtual	status_t		AddOptionAt(const char* name, int32 value, int32 index) = 0;
	// The index of the option whose value is the control's, or -1.
	virtual	int32			SelectedOption(const char** name = NULL,
								int32* value = NULL) const = 0;

	// B_BAD_VALUE when no option has that value or name.
	virtual	status_t		SelectOptionFor(int32 value);
	virtual	status_t		SelectOptionFor(const char* name);

protected:
	// A new B_OPTION_CONTROL_VALUE message carrying value, which the caller owns.
			BMessage*		MakeValueMessage(int32 value);
};

#endif // _OPTION_CONTROL_H
