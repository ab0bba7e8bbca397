// An application that puts itself into the Deskbar, as applications of the platform do:
// with --install it asks the Deskbar to load this very executable as an add-on and show
// the view of its instantiate_deskbar_item(). It exports nothing beyond what its code
// marks: the Deskbar finds the function in the executable's own symbol table.
//
//	DeskbarItemApp --install
#include <Deskbar.h>
#include <Entry.h>
#include <View.h>

#include <stdio.h>
#include <string.h>

namespace {

class AppItemView : public BView {
public:
	AppItemView()
		:
		BView(BRect(0, 0, 15, 15), "AppItem", B_FOLLOW_NONE, B_WILL_DRAW)
	{
		SetViewColor(make_color(40, 160, 40));
	}
};

} // namespace


extern "C" _EXPORT BView* instantiate_deskbar_item();

BView*
instantiate_deskbar_item()
{
	return new AppItemView;
}


int
main(int argc, char** argv)
{
	if (argc != 2 || strcmp(argv[1], "--install") != 0) {
		fprintf(stderr, "usage: DeskbarItemApp --install\n");
		return 2;
	}
	entry_ref ref;
	if (get_ref_for_path("/proc/self/exe", &ref) != B_OK)
		return 1;
	BEntry entry(&ref, true);
	entry.GetRef(&ref);
	BDeskbar deskbar;
	int32 id = -1;
	status_t status = deskbar.AddItem(&ref, &id);
	printf("%d %d\n", (int)status, (int)id);
	return status == B_OK ? 0 : 1;
}
