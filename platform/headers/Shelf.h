// A shelf: a view that takes replicants. Archived views dropped on the container view (or
// added with AddReplicant) are instantiated there, from the add-on or application their
// archive names; those that cannot be are kept as zombies. The shelf saves what it holds
// to its save location (docs/replicants.md) and answers "suite/vnd.Be-shelf".
//
// The shelf is a handler of its container's window; the view does not own it: whoever
// made the shelf deletes it (with the window locked), which saves a dirty shelf and removes
// its replicants.
#ifndef _SHELF_H
#define _SHELF_H

#include <Handler.h>
#include <List.h>
#include <Point.h>
#include <Rect.h>

class BDataIO;
class BEntry;
class BMessageFilter;
class BView;
struct entry_ref;

namespace BPrivate {
struct Replicant;
class ReplicantHandler;
class ShelfFilter;
}

class BShelf : public BHandler {
public:
	// shelfType names the shelf (its handler's name); with type enforcement on, only
	// archives whose "shelf_type" equals it are taken.
	BShelf(BView* view, bool allowDrags = true, const char* shelfType = NULL);
	// Replicants are read from and saved to the file; the shelf opens it itself.
	BShelf(const entry_ref* ref, BView* view, bool allowDrags = true,
		const char* shelfType = NULL);
	// Replicants are read from the stream at its position, and saved there; the stream
	// stays the caller's.
	BShelf(BDataIO* stream, BView* view, bool allowDrags = true,
		const char* shelfType = NULL);
	// A shelf without a container: nothing to show replicants in, so it takes none.
	BShelf(BMessage* archive);
	virtual ~BShelf();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void MessageReceived(BMessage* message);
	// Writes the replicants to the save location; B_ERROR when there is none.
	status_t Save();
	virtual void SetDirty(bool state);
	bool IsDirty() const;

	virtual BHandler* ResolveSpecifier(BMessage* message, int32 index,
		BMessage* specifier, int32 form, const char* property);
	virtual status_t GetSupportedSuites(BMessage* data);

	bool AllowsDragging() const;
	void SetAllowsDragging(bool state);
	bool AllowsZombies() const;
	void SetAllowsZombies(bool state);
	bool DisplaysZombies() const;
	void SetDisplaysZombies(bool state);
	bool IsTypeEnforced() const;
	void SetTypeEnforced(bool state);

	status_t SetSaveLocation(BDataIO* stream);
	status_t SetSaveLocation(const entry_ref* ref);
	// The stream the shelf saves to (NULL when it saves to a file, whose ref then fills
	// *ref when ref is not NULL).
	BDataIO* SaveLocation(entry_ref* ref) const;

	// Instantiates the archive at location (the container's coordinates). On B_OK (also
	// for a zombie kept in place of a view that could not be made) the shelf owns the
	// archive; on an error the caller keeps it.
	status_t AddReplicant(BMessage* archive, BPoint location);
	// Remove and delete the replicant, its view and its archive.
	status_t DeleteReplicant(BView* replicant);
	status_t DeleteReplicant(BMessage* archive);
	status_t DeleteReplicant(int32 index);

	int32 CountReplicants() const;
	// The archive of the index-th replicant (the shelf's), its view (NULL for a zombie
	// not displayed), its unique id and how its instantiation went; NULL past the end.
	BMessage* ReplicantAt(int32 index, BView** view = NULL, uint32* uid = NULL,
		status_t* perr = NULL) const;
	int32 IndexOf(const BView* replicantView) const;
	int32 IndexOf(const BMessage* archive) const;
	int32 IndexOf(uint32 id) const;

protected:
	// Hooks a subclass overrides to choose what the shelf takes and where.
	virtual bool CanAcceptReplicantMessage(BMessage* archive) const;
	virtual bool CanAcceptReplicantView(BRect frame, BView* view,
		BMessage* archive) const;
	virtual BPoint AdjustReplicantBy(BRect frame, BMessage* archive) const;
	// Called after a replicant went; the archive and the view are deleted on return.
	virtual void ReplicantDeleted(int32 index, const BMessage* archive,
		const BView* replicant);

private:
	friend class BPrivate::ShelfFilter;
	friend class BPrivate::ReplicantHandler;
	friend class BView;

	BShelf(const BShelf&) = delete;
	BShelf& operator=(const BShelf&) = delete;

	void _Init(BView* view, bool allowDrags);
	status_t _Load(BDataIO* stream);
	status_t _AddReplicant(BMessage* archive, BPoint* location, uint32 id);
	status_t _DeleteReplicant(int32 index);
	status_t _Archive(BMessage* into) const;
	void _ContainerAttached();
	void _ContainerDetached();
	void _ContainerGone();
	void _Dropped(BMessage* message);
	void _Move(BPrivate::Replicant* replicant, BPoint location);
	BPrivate::Replicant* _ReplicantAt(int32 index) const;
	int32 _IndexForSpecifier(BMessage* specifier, int32 form) const;

	BView* fContainerView;
	BMessageFilter* fFilter;
	BDataIO* fStream;
	BEntry* fEntry;
	BList fReplicants;
	uint32 fGenCount;
	bool fOwnsStream;
	bool fAllowDragging;
	bool fDirty;
	bool fDisplayZombies;
	bool fAllowZombies;
	bool fTypeEnforced;
};

#endif // _SHELF_H
