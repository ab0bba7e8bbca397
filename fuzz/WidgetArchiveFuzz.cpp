// Feeds arbitrary bytes to the widgets' archive constructors: a flattened message,
// unflattened and handed to the tab view, the tab, the channel slider and the menu item.
// Whatever comes out must archive again.
#include <ChannelSlider.h>
#include <MenuItem.h>
#include <Message.h>
#include <TabView.h>

#include <stdint.h>
#include <stdlib.h>

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMessage archive;
	if (archive.Unflatten((const char*)data, size) != B_OK)
		return 0;
	BMessage again;
	{
		BTabView tabs(&archive);
		if (tabs.Selection() >= tabs.CountTabs() || tabs.Archive(&again) != B_OK)
			abort();
		for (int32 i = 0; i < tabs.CountTabs(); i++)
			tabs.TabFrame(i);
	}
	{
		BTab tab(&archive);
		again.MakeEmpty();
		if (tab.Archive(&again) != B_OK)
			abort();
	}
	{
		BChannelSlider slider(&archive);
		if (slider.CountChannels() < 1 || slider.CountChannels() > slider.MaxChannelCount())
			abort();
		for (int32 i = 0; i < slider.CountChannels(); i++) {
			int32 minimum;
			int32 maximum;
			slider.GetLimitsFor(i, &minimum, &maximum);
			if (slider.ValueFor(i) < minimum || slider.ValueFor(i) > maximum)
				abort();
		}
		again.MakeEmpty();
		if (slider.Archive(&again) != B_OK)
			abort();
	}
	{
		BMenuItem item(&archive);
		again.MakeEmpty();
		if (item.Archive(&again) != B_OK)
			abort();
	}
	return 0;
}
