// Everything of the Support Kit, for applications that include it whole.
#ifndef _SUPPORT_KIT_H
#define _SUPPORT_KIT_H

#include <Archivable.h>
#include <Autolock.h>
#include <Beep.h>
#include <BlockCache.h>
#include <BufferIO.h>
#include <ByteOrder.h>
#include <ClassInfo.h>
#include <DataIO.h>
#include <Debug.h>
#include <Errors.h>
#include <Flattenable.h>
#include <List.h>
#include <Locker.h>
#include <StopWatch.h>
#include <String.h>
#include <SupportDefs.h>
#include <TypeConstants.h>
#include <UTF8.h>

#endif // _SUPPORT_KIT_H
