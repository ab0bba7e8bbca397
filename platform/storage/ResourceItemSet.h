// The resources a BResources holds in memory.
#ifndef _RESOURCE_ITEM_SET_H
#define _RESOURCE_ITEM_SET_H

#include "storage/ResourceContainer.h"

namespace BPrivate {

class ResourceItemSet {
public:
	// Data of every item has a buffer, even when empty, so that each resource has an
	// address of its own to be loaded and removed by.
			void				Adopt(ResourceItemList& items);
			void				Add(std::unique_ptr<ResourceItem> item);
			const ResourceItemList& Items() const;

			ResourceItem*		Find(type_code type, int32 id) const;
			ResourceItem*		Find(type_code type, const char* name) const;
			ResourceItem*		FindData(const void* data) const;
			ResourceItem*		FindOfType(type_code type, int32 index) const;
			bool				Remove(const ResourceItem* item);
			void				MakeEmpty();

private:
			ResourceItemList	fItems;
};

} // namespace BPrivate

#endif // _RESOURCE_ITEM_SET_H
