#include <Translator.h>

#include <OS.h>


BTranslator::BTranslator()
	:
	fRefCount(1)
{
}


BTranslator::~BTranslator()
{
}


BTranslator*
BTranslator::Acquire()
{
	atomic_add(&fRefCount, 1);
	return this;
}


BTranslator*
BTranslator::Release()
{
	if (atomic_add(&fRefCount, -1) == 1) {
		delete this;
		return NULL;
	}
	return this;
}


int32
BTranslator::ReferenceCount()
{
	return atomic_get(&fRefCount);
}


status_t
BTranslator::MakeConfigurationView(BMessage* extension, BView** _view, BRect* _extent)
{
	return B_ERROR;
}


status_t
BTranslator::GetConfigurationMessage(BMessage* extension)
{
	return B_ERROR;
}
