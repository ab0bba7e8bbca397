// The process's menu settings (get_menu_info, set_menu_info): the font and background
// new menus take, the separators' look and whether triggers are always underlined.
#include <Menu.h>

#include <mutex>
#include <string.h>

namespace {

std::mutex stMenuInfoLock;
bool stMenuInfoSet = false;
menu_info stMenuInfo;


// The settings before any set_menu_info(): the plain font and the menu colour. Made on
// first use, once the kit's fonts exist.
menu_info
default_menu_info()
{
	menu_info info;
	memset(&info, 0, sizeof(info));
	info.font_size = be_plain_font->Size();
	be_plain_font->GetFamilyAndStyle(&info.f_family, &info.f_style);
	info.background_color = ui_color(B_MENU_BACKGROUND_COLOR);
	info.separator = 0;
	info.click_to_open = true;
	info.triggers_always_shown = false;
	return info;
}

} // namespace


status_t
get_menu_info(menu_info* info)
{
	if (info == NULL)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(stMenuInfoLock);
	*info = stMenuInfoSet ? stMenuInfo : default_menu_info();
	return B_OK;
}


status_t
set_menu_info(menu_info* info)
{
	if (info == NULL || !(info->font_size > 0) || info->separator < 0
		|| info->separator > 2) {
		return B_BAD_VALUE;
	}
	std::lock_guard<std::mutex> lock(stMenuInfoLock);
	stMenuInfo = *info;
	// Names from the caller end within their arrays.
	stMenuInfo.f_family[sizeof(font_family) - 1] = '\0';
	stMenuInfo.f_style[sizeof(font_style) - 1] = '\0';
	stMenuInfoSet = true;
	return B_OK;
}
