// Feeds arbitrary bytes to a shelf as its save location: the saved message, unflattened,
// and every replicant archive in it instantiated into the container (kit classes only:
// this shelf strips "add_on", so that no add-on is looked up). Whatever the shelf keeps
// must lie within reach of the container, save again and read back the same.
#include <DataIO.h>
#include <Message.h>
#include <Shelf.h>
#include <View.h>

#include "interface/ShelfPrivate.h"

#include <math.h>
#include <stdint.h>
#include <stdlib.h>

namespace {

class KitOnlyShelf : public BShelf {
public:
	KitOnlyShelf(BDataIO* stream, BView* view)
		:
		BShelf(stream, view)
	{
	}

protected:
	bool CanAcceptReplicantMessage(BMessage* archive) const override
	{
		archive->RemoveName("add_on");
		return true;
	}
};


bool
within_reach(BView* view)
{
	BPoint where = view->Frame().LeftTop();
	return isfinite(where.x) && isfinite(where.y)
		&& fabsf(where.x) <= BPrivate::kMaxReplicantOffset
		&& fabsf(where.y) <= BPrivate::kMaxReplicantOffset;
}

} // namespace


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BView container(BRect(0, 0, 99, 99), "container", B_FOLLOW_NONE, 0);
	BMemoryIO input(data, size);
	KitOnlyShelf shelf(&input, &container);
	shelf.SetDisplaysZombies(true);
	int32 count = shelf.CountReplicants();
	if (count > BPrivate::kMaxSavedReplicants)
		abort();
	for (int32 i = 0; i < count; i++) {
		BView* view = NULL;
		if (shelf.ReplicantAt(i, &view) == NULL)
			abort();
		if (view != NULL && !within_reach(view))
			abort();
	}
	BMallocIO saved;
	if (shelf.SetSaveLocation(&saved) != B_OK || shelf.Save() != B_OK)
		abort();
	saved.Seek(0, SEEK_SET);
	BView other(BRect(0, 0, 99, 99), "other", B_FOLLOW_NONE, 0);
	KitOnlyShelf again(&saved, &other);
	if (again.CountReplicants() != count)
		abort();
	return 0;
}
