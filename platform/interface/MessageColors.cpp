// BMessage's colour items live with rgb_color in the interface kit, which the app kit
// does not see.
#include <GraphicsDefs.h>
#include <Message.h>


status_t
BMessage::AddColor(const char* name, rgb_color color)
{
	return _AddValue(name, B_RGB_COLOR_TYPE, color);
}


status_t
BMessage::FindColor(const char* name, rgb_color* color) const
{
	return FindColor(name, 0, color);
}


status_t
BMessage::FindColor(const char* name, int32 index, rgb_color* color) const
{
	return _FindValue(name, B_RGB_COLOR_TYPE, index, color);
}


status_t
BMessage::ReplaceColor(const char* name, rgb_color color)
{
	return ReplaceColor(name, 0, color);
}


status_t
BMessage::ReplaceColor(const char* name, int32 index, rgb_color color)
{
	return _ReplaceValue(name, B_RGB_COLOR_TYPE, index, color);
}
