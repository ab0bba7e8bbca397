// The messages the workbench's windows exchange.
#ifndef WORKBENCH_DEFS_H
#define WORKBENCH_DEFS_H

#include <SupportDefs.h>

enum {
	kMsgNewNote			= 'nNot',
	kMsgShowPalette		= 'sPal',
	kMsgClearLog		= 'clrL',
	kMsgToggleDetails	= 'tDet',
	kMsgToggleStatus	= 'tSta',
	kMsgFontSize		= 'fsiz',	// "size": the outline's font size
	kMsgExpandAll		= 'expA',
	kMsgCollapseAll		= 'colA',
	kMsgSelectPart		= 'selP',
	kMsgInvokePart		= 'invP',
	kMsgFollow			= 'foll',
	kMsgShowLevels		= 'levl',
	kMsgApply			= 'aply',
	kMsgReset			= 'rset',
	kMsgLog				= 'log ',	// "text": a line for the activity log
	kMsgCloseNote		= 'cNot'
};

#endif // WORKBENCH_DEFS_H
