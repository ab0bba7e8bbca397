// BOptionControl: choosing an option by its value or name, and the messages that carry an
// option's value back to the control.
#include <OptionControl.h>

#include <string.h>


BOptionControl::BOptionControl(BRect frame, const char* name, const char* label,
	BMessage* message, uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags)
{
}


BOptionControl::~BOptionControl()
{
}


void
BOptionControl::MessageReceived(BMessage* message)
{
	int32 value;
	if (message->what == B_OPTION_CONTROL_VALUE
		&& message->FindInt32("be:value", &value) == B_OK) {
		SetValue(value);
		Invoke();
		return;
	}
	BControl::MessageReceived(message);
}


status_t
BOptionControl::AddOption(const char* name, int32 value)
{
	return AddOptionAt(name, value, CountOptions());
}


status_t
BOptionControl::SelectOptionFor(int32 value)
{
	const char* name;
	int32 optionValue;
	for (int32 i = 0; GetOptionAt(i, &name, &optionValue); i++) {
		if (optionValue == value) {
			SetValue(value);
			return B_OK;
		}
	}
	return B_BAD_VALUE;
}


status_t
BOptionControl::SelectOptionFor(const char* name)
{
	if (name == NULL)
		return B_BAD_VALUE;
	const char* optionName;
	int32 value;
	for (int32 i = 0; GetOptionAt(i, &optionName, &value); i++) {
		if (optionName != NULL && strcmp(optionName, name) == 0) {
			SetValue(value);
			return B_OK;
		}
	}
	return B_BAD_VALUE;
}


BMessage*
BOptionControl::MakeValueMessage(int32 value)
{
	BMessage* message = new BMessage(B_OPTION_CONTROL_VALUE);
	if (message->AddInt32("be:value", value) != B_OK) {
		delete message;
		return NULL;
	}
	return message;
}
