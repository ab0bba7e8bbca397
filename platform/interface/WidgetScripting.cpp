// Finding the row of a widget's property table that a scripting request names.
#include "interface/WidgetScripting.h"

#include <AppDefs.h>

namespace BPrivate {

int32
match_property(BMessage* message, const property_info* properties)
{
	if (message == NULL || !message->HasSpecifiers())
		return -1;
	BMessage specifier;
	int32 index;
	int32 form;
	const char* property;
	if (message->GetCurrentSpecifier(&index, &specifier, &form, &property) != B_OK)
		return -1;
	BPropertyInfo info(const_cast<property_info*>(properties));
	return info.FindMatch(message, index, &specifier, form, property);
}

} // namespace BPrivate
