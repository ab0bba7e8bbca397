// An add-on with a replicant class and a Deskbar item, for the tests of shelves and the
// Deskbar in other processes: ReplicantTestView archives with "add_on" naming the
// signature the test gives the add-on.
#include <Archivable.h>
#include <Message.h>
#include <View.h>

class _EXPORT ReplicantTestView : public BView {
public:
	ReplicantTestView(BRect frame, const char* name)
		:
		BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW)
	{
		SetViewColor(make_color(200, 40, 40));
	}

	ReplicantTestView(BMessage* archive)
		:
		BView(archive)
	{
	}

	static BArchivable* Instantiate(BMessage* archive);
	status_t Archive(BMessage* archive, bool deep) const override;
};


BArchivable*
ReplicantTestView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "ReplicantTestView"))
		return NULL;
	return new ReplicantTestView(archive);
}


status_t
ReplicantTestView::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK)
		status = archive->AddString("add_on", "application/x-vnd.test-replicant");
	return status;
}


extern "C" _EXPORT BView* instantiate_deskbar_item();

BView*
instantiate_deskbar_item()
{
	return new ReplicantTestView(BRect(0, 0, 15, 15), "TestItem");
}
