// BChannelControl: the channels' values, limits and limit labels, the current channel,
// the messages that report a change of channels, and archiving.
#include <ChannelControl.h>


#include <algorithm>

namespace {

// Channels an archive may bring back: more is refused rather than allocated.
const int32 kMaxArchivedChannels = 1024;

// The default limits of a channel.
const int32 kDefaultMinimum = 0;
const int32 kDefaultMaximum = 100;

} // namespace


BChannelControl::BChannelControl(BRect frame, const char* name, const char* label,
	BMessage* model, int32 channelCount, uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, model, resizingMode, flags),
	fModificationMessage(NULL)
{
	_Init(channelCount);
}


BChannelControl::BChannelControl(BMessage* archive)
	:
	BControl(archive),
	fModificationMessage(NULL)
{
	int32 count = 0;
	type_code type;
	archive->GetInfo("_val", &type, &count);
	_Init(std::min(std::max(count, (int32)1), kMaxArchivedChannels));

	BMessage modification;
	if (archive->FindMessage("_mod_msg", &modification) == B_OK)
		SetModificationMessage(new BMessage(modification));

	for (size_t i = 0; i < fValues.size(); i++) {
		int32 minimum = kDefaultMinimum;
		int32 maximum = kDefaultMaximum;
		archive->FindInt32("_min", i, &minimum);
		archive->FindInt32("_max", i, &maximum);
		SetLimitsFor(i, minimum, maximum);
		int32 value = minimum;
		archive->FindInt32("_val", i, &value);
		SetValueFor(i, value);
	}
	const char* minLabel = NULL;
	const char* maxLabel = NULL;
	archive->FindString("be:_min_label", &minLabel);
	archive->FindString("be:_max_label", &maxLabel);
	SetLimitLabels(minLabel, maxLabel);
	int32 current;
	if (archive->FindInt32("be:_current_channel", &current) == B_OK)
		SetCurrentChannel(current);
}


BChannelControl::~BChannelControl()
{
	delete fModificationMessage;
}


void
BChannelControl::_Init(int32 channelCount)
{
	channelCount = std::max(channelCount, (int32)1);
	fCurrentChannel = 0;
	fValues.assign(channelCount, kDefaultMinimum);
	fMinima.assign(channelCount, kDefaultMinimum);
	fMaxima.assign(channelCount, kDefaultMaximum);
	fMinLabels.assign(channelCount, "");
	fMaxLabels.assign(channelCount, "");
	_SyncValue();
}


status_t
BChannelControl::Archive(BMessage* data, bool deep) const
{
	// One "_val" a channel, in place of the control's single value.
	status_t status = BControl::Archive(data, deep);
	if (status == B_OK)
		status = data->RemoveName("_val");
	if (status == B_OK && fModificationMessage != NULL)
		status = data->AddMessage("_mod_msg", fModificationMessage);
	for (size_t i = 0; status == B_OK && i < fValues.size(); i++) {
		status = data->AddInt32("_val", fValues[i]);
		if (status == B_OK)
			status = data->AddInt32("_min", fMinima[i]);
		if (status == B_OK)
			status = data->AddInt32("_max", fMaxima[i]);
	}
	if (status == B_OK)
		status = data->AddInt32("be:_current_channel", fCurrentChannel);
	if (status == B_OK)
		status = data->AddString("be:_min_label", MinLimitLabel());
	if (status == B_OK)
		status = data->AddString("be:_max_label", MaxLimitLabel());
	return status;
}


void
BChannelControl::ResizeToPreferred()
{
	float width;
	float height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}


void
BChannelControl::SetModificationMessage(BMessage* message)
{
	if (message == fModificationMessage)
		return;
	delete fModificationMessage;
	fModificationMessage = message;
}


status_t
BChannelControl::Invoke(BMessage* message)
{
	return InvokeChannel(message);
}


status_t
BChannelControl::InvokeChannel(BMessage* message, int32 fromChannel, int32 channelCount,
	const bool* mask)
{
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	int32 count = CountChannels();
	if (channelCount < 0)
		channelCount = count - fromChannel;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	copy.AddInt32("be:value", Value());
	copy.AddInt32("be:current_channel", fCurrentChannel);
	for (int32 i = 0; i < count; i++) {
		bool changed = i >= fromChannel && i - fromChannel < channelCount
			&& (mask == NULL || mask[i - fromChannel]);
		copy.AddInt32("be:channel_value", fValues[i]);
		copy.AddBool("be:channel_changed", changed);
	}
	return BInvoker::Invoke(&copy);
}


status_t
BChannelControl::InvokeNotifyChannel(BMessage* message, uint32 kind, int32 fromChannel,
	int32 channelCount, const bool* mask)
{
	BeginInvokeNotify(kind);
	status_t status = InvokeChannel(message, fromChannel, channelCount, mask);
	EndInvokeNotify();
	return status;
}


void
BChannelControl::_SyncValue()
{
	int32 value = fValues[fCurrentChannel];
	if (value != Value()) {
		SetValueNoUpdate(value);
		Invalidate();
	}
}


bool
BChannelControl::_ValidRange(int32 fromChannel, int32 channelCount) const
{
	return fromChannel >= 0 && channelCount >= 0
		&& channelCount <= CountChannels() - fromChannel;
}


void
BChannelControl::SetValue(int32 value)
{
	SetValueFor(fCurrentChannel, value);
}


status_t
BChannelControl::SetCurrentChannel(int32 channel)
{
	if (channel < 0 || channel >= CountChannels())
		return B_BAD_INDEX;
	if (channel != fCurrentChannel) {
		fCurrentChannel = channel;
		_SyncValue();
		Invalidate();
	}
	return B_OK;
}


int32
BChannelControl::CountChannels() const
{
	return (int32)fValues.size();
}


status_t
BChannelControl::SetChannelCount(int32 count)
{
	if (count < 1 || count > MaxChannelCount())
		return B_BAD_VALUE;
	fValues.resize(count, fValues.back());
	fMinima.resize(count, fMinima.back());
	fMaxima.resize(count, fMaxima.back());
	fMinLabels.resize(count, fMinLabels.back());
	fMaxLabels.resize(count, fMaxLabels.back());
	if (fCurrentChannel >= count)
		fCurrentChannel = count - 1;
	_SyncValue();
	Invalidate();
	return B_OK;
}


int32
BChannelControl::ValueFor(int32 channel) const
{
	if (channel < 0 || channel >= CountChannels())
		return -1;
	return fValues[channel];
}


int32
BChannelControl::GetValue(int32* values, int32 fromChannel, int32 channelCount) const
{
	if (values == NULL || fromChannel < 0 || channelCount <= 0)
		return 0;
	int32 count = std::min(channelCount, CountChannels() - fromChannel);
	for (int32 i = 0; i < count; i++)
		values[i] = fValues[fromChannel + i];
	return std::max(count, (int32)0);
}


status_t
BChannelControl::SetValueFor(int32 channel, int32 value)
{
	return SetValue(channel, 1, &value);
}


status_t
BChannelControl::SetValue(int32 fromChannel, int32 channelCount, const int32* values)
{
	if (values == NULL || !_ValidRange(fromChannel, channelCount))
		return B_BAD_VALUE;
	for (int32 i = 0; i < channelCount; i++) {
		int32 channel = fromChannel + i;
		fValues[channel] = std::min(std::max(values[i], fMinima[channel]),
			fMaxima[channel]);
	}
	_SyncValue();
	Invalidate();
	return B_OK;
}


status_t
BChannelControl::SetAllValue(int32 value)
{
	std::vector<int32> values(CountChannels(), value);
	return SetValue(0, CountChannels(), values.data());
}


status_t
BChannelControl::SetLimitsFor(int32 channel, int32 minimum, int32 maximum)
{
	return SetLimitsFor(channel, 1, &minimum, &maximum);
}


status_t
BChannelControl::GetLimitsFor(int32 channel, int32* minimum, int32* maximum) const
{
	return GetLimitsFor(channel, 1, minimum, maximum);
}


status_t
BChannelControl::SetLimitsFor(int32 fromChannel, int32 channelCount, const int32* minima,
	const int32* maxima)
{
	if (minima == NULL || maxima == NULL || !_ValidRange(fromChannel, channelCount))
		return B_BAD_VALUE;
	for (int32 i = 0; i < channelCount; i++) {
		if (minima[i] > maxima[i])
			return B_BAD_VALUE;
	}
	for (int32 i = 0; i < channelCount; i++) {
		int32 channel = fromChannel + i;
		fMinima[channel] = minima[i];
		fMaxima[channel] = maxima[i];
		fValues[channel] = std::min(std::max(fValues[channel], minima[i]), maxima[i]);
	}
	_SyncValue();
	Invalidate();
	return B_OK;
}


status_t
BChannelControl::GetLimitsFor(int32 fromChannel, int32 channelCount, int32* minima,
	int32* maxima) const
{
	if (minima == NULL || maxima == NULL || !_ValidRange(fromChannel, channelCount))
		return B_BAD_VALUE;
	for (int32 i = 0; i < channelCount; i++) {
		minima[i] = fMinima[fromChannel + i];
		maxima[i] = fMaxima[fromChannel + i];
	}
	return B_OK;
}


status_t
BChannelControl::SetLimits(int32 minimum, int32 maximum)
{
	std::vector<int32> minima(CountChannels(), minimum);
	std::vector<int32> maxima(CountChannels(), maximum);
	return SetLimitsFor(0, CountChannels(), minima.data(), maxima.data());
}


status_t
BChannelControl::GetLimits(int32* minimum, int32* maximum) const
{
	return GetLimitsFor(0, minimum, maximum);
}


status_t
BChannelControl::SetLimitLabels(const char* minLabel, const char* maxLabel)
{
	return SetLimitLabelsFor(0, CountChannels(), minLabel, maxLabel);
}


const char*
BChannelControl::MinLimitLabel() const
{
	return fMinLabels[0].c_str();
}


const char*
BChannelControl::MaxLimitLabel() const
{
	return fMaxLabels[0].c_str();
}


status_t
BChannelControl::SetLimitLabelsFor(int32 channel, const char* minLabel,
	const char* maxLabel)
{
	return SetLimitLabelsFor(channel, 1, minLabel, maxLabel);
}


status_t
BChannelControl::SetLimitLabelsFor(int32 fromChannel, int32 channelCount,
	const char* minLabel, const char* maxLabel)
{
	if (!_ValidRange(fromChannel, channelCount))
		return B_BAD_VALUE;
	for (int32 i = fromChannel; i < fromChannel + channelCount; i++) {
		fMinLabels[i] = minLabel != NULL ? minLabel : "";
		fMaxLabels[i] = maxLabel != NULL ? maxLabel : "";
	}
	Invalidate();
	return B_OK;
}


const char*
BChannelControl::MinLimitLabelFor(int32 channel) const
{
	if (channel < 0 || channel >= CountChannels())
		return NULL;
	return fMinLabels[channel].c_str();
}


const char*
BChannelControl::MaxLimitLabelFor(int32 channel) const
{
	if (channel < 0 || channel >= CountChannels())
		return NULL;
	return fMaxLabels[channel].c_str();
}
