// The parts of a shelf (docs/replicants.md): a replicant's record, the filter that takes
// drops on the container, the handler that answers for one replicant in scripting, the
// view that stands for a zombie, and the marks a dragger puts on a drag out of a shelf.
#ifndef _SHELF_PRIVATE_H
#define _SHELF_PRIVATE_H

#include <Handler.h>
#include <Message.h>
#include <MessageFilter.h>
#include <String.h>
#include <View.h>

class BDragger;
class BShelf;

namespace BPrivate {

// The what of a shelf's saved archive, and its fields.
const uint32 kShelfArchive = 'SHLF';
extern const char* const kShelfReplicantField;
extern const char* const kShelfLocationField;
// What a dragger's "Remove Replicant" posts to its shelf, with the pointer "view".
const uint32 kRemoveReplicant = 'rmRp';
// At most this many replicants are read from a save location; the rest are dropped.
const int32 kMaxSavedReplicants = 1024;
// Replicant locations farther than this from the container's origin are brought back
// to it: positions from an archive are not trusted.
const float kMaxReplicantOffset = 100000;


class ReplicantHandler;

// One replicant of a shelf. The shelf owns the record and the archive; the view (the
// replicant, or the zombie's stand-in) belongs to the container while it is shown.
struct Replicant {
	BMessage*			archive = NULL;
	BView*				view = NULL;
	ReplicantHandler*	handler = NULL;
	uint32				id = 0;
	// The dragger when it stands beside the view rather than in or around it.
	BDragger*			siblingDragger = NULL;
	// B_OK when the view was made; why not for a zombie.
	status_t			error = B_OK;
	bool				IsZombie() const { return error != B_OK; }
};


// Takes dropped archives on the container (and moves within the shelf, dropped over one
// of its replicants).
class ShelfFilter : public BMessageFilter {
public:
	ShelfFilter(BShelf* shelf, bool container);
	virtual filter_result Filter(BMessage* message, BHandler** target);

private:
	BShelf* fShelf;
	bool fContainer;
};


// "suite/vnd.Be-replicant": what scripting sees of one replicant.
class ReplicantHandler : public BHandler {
public:
	ReplicantHandler(BShelf* shelf, uint32 id);

	virtual BHandler* ResolveSpecifier(BMessage* message, int32 index,
		BMessage* specifier, int32 form, const char* property);
	virtual status_t GetSupportedSuites(BMessage* data);
	virtual void MessageReceived(BMessage* message);

private:
	BShelf* fShelf;
	uint32 fId;
};


// Stands in the container for a replicant whose code could not be found: its frame, a
// dragger to remove it, and the class it was.
class ZombieView : public BView {
public:
	ZombieView(BRect frame, const char* className);
	virtual void Draw(BRect updateRect);

private:
	BString fClassName;
};


// The fields a dragger adds to the archive it drags out of a shelf, so that a drop on the
// same shelf moves the replicant instead of copying it.
namespace ShelfDrag {
void Mark(BMessage* archive, BShelf* shelf, BView* replicant);
// The replicant's view when the archive was dragged out of this shelf of this process.
bool IsMoveIn(const BMessage* archive, const BShelf* shelf, BView** replicant);
void Unmark(BMessage* archive);
}

} // namespace BPrivate

#endif // _SHELF_PRIVATE_H
