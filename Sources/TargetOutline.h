// The outline drawn on the screen around the selected target: a window floating over all
// others, without border, that avoids the focus, which the kit shows as an overlay that
// takes no input and leaves out what is drawn in B_TRANSPARENT_COLOR (docs/display.md).
// It draws a frame kOutlineWidth pixels wide in kOutlineColor and nothing inside. Where the
// display cannot show overlays (offscreen) it is never seen.
#ifndef TARGET_OUTLINE_H
#define TARGET_OUTLINE_H

#include <GraphicsDefs.h>
#include <Window.h>

const float kOutlineWidth = 2;
const rgb_color kOutlineColor = { 255, 0, 160, 255 };

enum {
	// Moves the outline onto "frame" (a BRect on the screen, edges included), shown.
	kMsgSurround = 'OSur',
	// Hides the outline.
	kMsgRemoveOutline = 'ORem'
};

// Driven by messages only, so that its owner never touches a window that the application
// may have closed as it quits.
class TargetOutline : public BWindow {
public:
							TargetOutline();

	virtual	void			MessageReceived(BMessage* message);
};

#endif // TARGET_OUTLINE_H
