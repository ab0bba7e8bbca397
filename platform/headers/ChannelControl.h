// A control with several values, one a channel (the channels of a mixer, say), each
// within limits of its own and with limit labels of its own. The control's Value() is the
// current channel's value. Subclasses draw the channels and take the input.
#ifndef _CHANNEL_CONTROL_H
#define _CHANNEL_CONTROL_H

#include <Control.h>

#include <string>
#include <vector>

class BChannelControl : public BControl {
public:
							BChannelControl(BRect frame, const char* name,
								const char* label, BMessage* model,
								int32 channelCount = 1,
								uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW);
							// The control of an archive: its name, frame, message,
							// channels, values, limits and limit labels.
							BChannelControl(BMessage* archive);
	virtual					~BChannelControl();

	// Adds the view's fields, "_msg", "_mod_msg", "_val" (one int32 a channel),
	// "_min" and "_max" (one int32 a channel), "be:_current_channel" (int32),
	// "be:_min_label" and "be:_max_label" (strings).
	virtual	status_t		Archive(BMessage* data, bool deep = true) const;

	virtual	void			Draw(BRect updateRect) = 0;
	virtual	void			MouseDown(BPoint where) = 0;
	virtual	void			KeyDown(const char* bytes, int32 numBytes) = 0;
	virtual	void			GetPreferredSize(float* width, float* height) = 0;
	virtual	void			ResizeToPreferred();

	// Sent (the control keeps it) while a channel is being changed.
	virtual	void			SetModificationMessage(BMessage* message);
			BMessage*		ModificationMessage() const { return fModificationMessage; }

	virtual	status_t		Invoke(BMessage* message = NULL);
	// Sends message (the control's when NULL) with "when", "source", "be:value" (the
	// current channel's), "be:current_channel", and for every channel its value in
	// "be:channel_value" and in "be:channel_changed" whether it is one of channelCount
	// channels from fromChannel (all from there when negative) that mask (when given)
	// marks.
	virtual	status_t		InvokeChannel(BMessage* message = NULL, int32 fromChannel = 0,
								int32 channelCount = -1, const bool* mask = NULL);
	// As InvokeChannel(), telling InvokeKind() the kind of change.
			status_t		InvokeNotifyChannel(BMessage* message = NULL,
								uint32 kind = B_CONTROL_INVOKED, int32 fromChannel = 0,
								int32 channelCount = -1, const bool* mask = NULL);

	// Sets the current channel's value.
	virtual	void			SetValue(int32 value);
	virtual	status_t		SetCurrentChannel(int32 channel);
			int32			CurrentChannel() const { return fCurrentChannel; }

	virtual	int32			CountChannels() const;
	virtual	int32			MaxChannelCount() const = 0;
	// From 1 to MaxChannelCount(); new channels take the last one's value and limits.
	virtual	status_t		SetChannelCount(int32 count);

			int32			ValueFor(int32 channel) const;
	// Copies up to channelCount values from fromChannel; returns how many it copied.
	virtual	int32			GetValue(int32* values, int32 fromChannel,
								int32 channelCount) const;
			status_t		SetValueFor(int32 channel, int32 value);
	// Values are brought within each channel's limits.
	virtual	status_t		SetValue(int32 fromChannel, int32 channelCount,
								const int32* values);
			status_t		SetAllValue(int32 value);

			status_t		SetLimitsFor(int32 channel, int32 minimum, int32 maximum);
			status_t		GetLimitsFor(int32 channel, int32* minimum,
								int32* maximum) const;
	virtual	status_t		SetLimitsFor(int32 fromChannel, int32 channelCount,
								const int32* minima, const int32* maxima);
	virtual	status_t		GetLimitsFor(int32 fromChannel, int32 channelCount,
								int32* minima, int32* maxima) const;
	// Every channel's limits.
			status_t		SetLimits(int32 minimum, int32 maximum);
	// The first channel's limits.
			status_t		GetLimits(int32* minimum, int32* maximum) const;
	virtual	bool			SupportsIndividualLimits() const = 0;

	// Every channel's limit labels.
	virtual	status_t		SetLimitLabels(const char* minLabel, const char* maxLabel);
			const char*		MinLimitLabel() const;
			const char*		MaxLimitLabel() const;
	virtual	status_t		SetLimitLabelsFor(int32 channel, const char* minLabel,
								const char* maxLabel);
	virtual	status_t		SetLimitLabelsFor(int32 fromChannel, int32 channelCount,
								const char* minLabel, const char* maxLabel);
			const char*		MinLimitLabelFor(int32 channel) const;
			const char*		MaxLimitLabelFor(int32 channel) const;

protected:
	// The channels' values, one a channel.
			const int32*	Values() const { return fValues.data(); }

private:
			void			_Init(int32 channelCount);
			bool			_ValidRange(int32 fromChannel, int32 channelCount) const;
			// Shows the current channel's value as the control's.
			void			_SyncValue();

			int32			fCurrentChannel;
			std::vector<int32> fValues;
			std::vector<int32> fMinima;
			std::vector<int32> fMaxima;
			std::vector<std::string> fMinLabels;
			std::vector<std::string> fMaxLabels;
			BMessage*		fModificationMessage;
};

#endif // _CHANNEL_CONTROL_H
