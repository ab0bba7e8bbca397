// The background of an alert: a darker stripe on the left with the icon of the alert's
// type, and the message wrapped into lines beside it.
#ifndef _ALERT_VIEW_H
#define _ALERT_VIEW_H

#include <InterfaceDefs.h>
#include <View.h>

#include <string>
#include <vector>

namespace BPrivate {

class AlertView : public BView {
public:
							AlertView(BRect frame, const char* text, alert_type type);

			void			SetType(alert_type type);
			const char*		Text() const { return fText.c_str(); }
			// Wraps the text to width; the height the lines take.
			float			LayoutText(float width);
			// Where the text starts: right of the stripe, or near the edge without icon.
			float			TextLeft() const;

	virtual	void			Draw(BRect updateRect);

private:
			void			_DrawIcon(BRect frame);

			std::string		fText;
			std::vector<std::string> fLines;
			alert_type		fType;
};

} // namespace BPrivate

#endif // _ALERT_VIEW_H
