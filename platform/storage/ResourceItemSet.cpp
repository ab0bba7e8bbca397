#include "storage/ResourceItemSet.h"

#include <string.h>

#include <utility>

namespace BPrivate {

void
ResourceItemSet::Adopt(ResourceItemList& items)
{
	fItems = std::move(items);
	for (const std::unique_ptr<ResourceItem>& item : fItems)
		item->data.reserve(1);
}


void
ResourceItemSet::Add(std::unique_ptr<ResourceItem> item)
{
	item->data.reserve(1);
	fItems.push_back(std::move(item));
}


const ResourceItemList&
ResourceItemSet::Items() const
{
	return fItems;
}


ResourceItem*
ResourceItemSet::Find(type_code type, int32 id) const
{
	for (const std::unique_ptr<ResourceItem>& item : fItems) {
		if (item->type == type && item->id == id)
			return item.get();
	}
	return NULL;
}


ResourceItem*
ResourceItemSet::Find(type_code type, const char* name) const
{
	// Unnamed resources are found by id only.
	if (name == NULL || name[0] == '\0')
		return NULL;
	for (const std::unique_ptr<ResourceItem>& item : fItems) {
		if (item->type == type && item->name == name)
			return item.get();
	}
	return NULL;
}


ResourceItem*
ResourceItemSet::FindData(const void* data) const
{
	if (data == NULL)
		return NULL;
	for (const std::unique_ptr<ResourceItem>& item : fItems) {
		if (item->data.data() == data)
			return item.get();
	}
	return NULL;
}


ResourceItem*
ResourceItemSet::FindOfType(type_code type, int32 index) const
{
	if (index < 0)
		return NULL;
	for (const std::unique_ptr<ResourceItem>& item : fItems) {
		if (item->type == type && index-- == 0)
			return item.get();
	}
	return NULL;
}


bool
ResourceItemSet::Remove(const ResourceItem* item)
{
	for (auto it = fItems.begin(); it != fItems.end(); ++it) {
		if (it->get() == item) {
			fItems.erase(it);
			return true;
		}
	}
	return false;
}


void
ResourceItemSet::MakeEmpty()
{
	fItems.clear();
}

} // namespace BPrivate
