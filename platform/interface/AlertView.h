// The background of an alert: a darker stripe on the left with the icon of the alert's
// type, and beside it a text view (named "_tv_") with the message wrapped into lines.
#ifndef _ALERT_VIEW_H
#define _ALERT_VIEW_H

#include <InterfaceDefs.h>
#include <TextView.h>
#include <View.h>


namespace BPrivate {

class AlertView : public BView {
public:
							AlertView(BRect frame, const char* text, alert_type type);

			void			SetType(alert_type type);
			BTextView*		TextView() const { return fTextView; }
			// Wraps the text to width; the height the lines and the icon take.
			float			LayoutText(float width);
			// Where the text starts: right of the stripe, or near the edge without icon.
			float			TextLeft() const;

	virtual	void			Draw(BRect updateRect);

private:
			void			_DrawIcon(BRect frame);

			BTextView*		fTextView;
			alert_type		fType;
};

} // namespace BPrivate

#endif // _ALERT_VIEW_H
