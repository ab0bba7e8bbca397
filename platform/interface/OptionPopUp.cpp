// BOptionPopUp: options kept as the items of a menu field's pop-up menu, each item
// carrying its option's value back to the control.
#include <OptionPopUp.h>

#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>

namespace {

// The name and value of the option an item holds; false for an item that holds none.
bool
option_of(BMenuItem* item, const char** name, int32* value)
{
	int32 optionValue;
	if (item == NULL || item->Message() == NULL
		|| item->Message()->FindInt32("be:value", &optionValue) != B_OK) {
		return false;
	}
	if (name != NULL)
		*name = item->Label();
	if (value != NULL)
		*value = optionValue;
	return true;
}

} // namespace


BOptionPopUp::BOptionPopUp(BRect frame, const char* name, const char* label,
	BMessage* message, uint32 resizingMode, uint32 flags)
	:
	BOptionControl(frame, name, label, message, resizingMode, flags)
{
	_Init(label, false);
}


BOptionPopUp::BOptionPopUp(BRect frame, const char* name, const char* label,
	BMessage* message, bool fixed, uint32 resizingMode, uint32 flags)
	:
	BOptionControl(frame, name, label, message, resizingMode, flags)
{
	_Init(label, fixed);
}


BOptionPopUp::~BOptionPopUp()
{
}


void
BOptionPopUp::_Init(const char* label, bool fixed)
{
	BPopUpMenu* menu = new BPopUpMenu(label != NULL ? label : "");
	fField = new BMenuField(Bounds(), "_menu_field", label, menu, fixed, B_FOLLOW_ALL,
		B_WILL_DRAW | B_NAVIGABLE);
	AddChild(fField);
}


BMenuField*
BOptionPopUp::MenuField()
{
	return fField;
}


bool
BOptionPopUp::GetOptionAt(int32 index, const char** name, int32* value)
{
	return option_of(fField->Menu()->ItemAt(index), name, value);
}


void
BOptionPopUp::RemoveOptionAt(int32 index)
{
	delete fField->Menu()->RemoveItem(index);
}


int32
BOptionPopUp::CountOptions() const
{
	return fField->Menu()->CountItems();
}


status_t
BOptionPopUp::AddOptionAt(const char* name, int32 value, int32 index)
{
	if (name == NULL)
		return B_BAD_VALUE;
	int32 count = CountOptions();
	if (index < 0 || index > count)
		return B_BAD_INDEX;
	BMessage* message = MakeValueMessage(value);
	if (message == NULL)
		return B_NO_MEMORY;
	BMenuItem* item = new BMenuItem(name, message);
	if (!fField->Menu()->AddItem(item, index)) {
		delete item;
		return B_NO_MEMORY;
	}
	if (Window() != NULL)
		item->SetTarget(this);
	if (count == 0)
		SetValue(value);
	return B_OK;
}


int32
BOptionPopUp::SelectedOption(const char** name, int32* value) const
{
	BMenuItem* marked = fField->Menu()->FindMarked();
	if (!option_of(marked, name, value))
		return -1;
	return fField->Menu()->IndexOf(marked);
}


void
BOptionPopUp::AllAttached()
{
	BOptionControl::AllAttached();
	// The items send their values here rather than to the window.
	fField->Menu()->SetTargetForItems(this);
}


void
BOptionPopUp::SetLabel(const char* label)
{
	BOptionControl::SetLabel(label);
	fField->SetLabel(label);
}


void
BOptionPopUp::SetValue(int32 value)
{
	BOptionControl::SetValue(value);
	BMenu* menu = fField->Menu();
	BMenuItem* option = NULL;
	int32 optionValue;
	for (int32 i = 0; option == NULL && GetOptionAt(i, NULL, &optionValue); i++) {
		if (optionValue == value)
			option = menu->ItemAt(i);
	}
	if (option != NULL)
		option->SetMarked(true);
	else if (BMenuItem* marked = menu->FindMarked())
		marked->SetMarked(false);
}


void
BOptionPopUp::SetEnabled(bool enabled)
{
	BOptionControl::SetEnabled(enabled);
	fField->SetEnabled(enabled);
}


void
BOptionPopUp::GetPreferredSize(float* width, float* height)
{
	fField->GetPreferredSize(width, height);
}


void
BOptionPopUp::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}
