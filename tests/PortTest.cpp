// A looper's port: its capacity holds for senders in this process (they wait for room) and
// for the transport (refused at once, and the connection cut off), except that a full
// port still takes a connection's share, so that one peer cannot lock the others out. The
// main looper's port, idle, misses no message queued while it looks at the transport.
#include <Message.h>

#include <gtest/gtest.h>

#include <sys/eventfd.h>
#include <unistd.h>

#include "app/Port.h"

using BPrivate::Port;
using BPrivate::QueueShare;

TEST(PortTest, AFullPortRefusesLocalSendersAndRemoteOnesBeyondTheirShare)
{
	std::shared_ptr<Port> port = Port::Create(2);
	auto flooder = std::make_shared<QueueShare>();
	auto polite = std::make_shared<QueueShare>();
	BMessage* flood = new BMessage('fld ');
	int32 taken = 0;
	while (port->WriteRemote(flood, 100, flooder) == B_OK) {
		flood = new BMessage('fld ');
		taken++;
	}
	// The message refused is still the caller's.
	delete flood;
	EXPECT_EQ(taken, BPrivate::kQueueShareMessages);
	EXPECT_EQ(flooder->messages, BPrivate::kQueueShareMessages);

	BMessage* local = new BMessage('locl');
	EXPECT_EQ(port->Write(local, 0), B_WOULD_BLOCK);
	EXPECT_EQ(port->Write(local, 20000), B_TIMED_OUT);
	// Another connection still gets its message through.
	EXPECT_EQ(port->WriteRemote(new BMessage('pol '), 100, polite), B_OK);

	// Reading gives the shares back.
	while (BMessage* message = port->Read(0))
		delete message;
	EXPECT_EQ(flooder->messages, 0);
	EXPECT_EQ(flooder->bytes, 0u);
	EXPECT_EQ(polite->messages, 0);
	EXPECT_EQ(port->Write(local, 0), B_OK);
	port->Close();
}


TEST(PortTest, MessagesFromOtherProcessesAreCappedInBytesToo)
{
	std::shared_ptr<Port> port = Port::Create(200);
	auto large = std::make_shared<QueueShare>();
	size_t third = BPrivate::kMaxRemoteQueueBytes / 3;
	for (int i = 0; i < 3; i++)
		ASSERT_EQ(port->WriteRemote(new BMessage('big '), third, large), B_OK);
	BMessage* over = new BMessage('over');
	EXPECT_EQ(port->WriteRemote(over, third, large), B_WOULD_BLOCK);
	// Local messages are not counted against it.
	EXPECT_EQ(port->Write(new BMessage('locl'), 0), B_OK);

	// Taking one remote message gives its bytes back.
	delete port->Read(0);
	EXPECT_EQ(port->WriteRemote(over, third, large), B_OK);
	// Closing gives back what was still waiting.
	port->Close();
	EXPECT_EQ(large->messages, 0);
	EXPECT_EQ(large->bytes, 0u);
}


// A port whose looper reads for itself, idle: before it waits on the transport, it lets
// its lock go to take in a request already sent. A message that another thread queues
// meanwhile is read at once, not after the wait.
namespace {

std::shared_ptr<Port> stIdlePort;
bool stWaitedOverMessage = false;

class QueueingReader : public BPrivate::IdleReader {
public:
	QueueingReader() : fWakeFD(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
	~QueueingReader() override { close(fWakeFD); }

	int WakeFD() const override { return fWakeFD; }
	void Watch(bool) override {}
	void Work() override {}
	void Detach() override {}

	bool Expect() override
	{
		stIdlePort->Write(new BMessage('late'), 0);
		return false;
	}

	void Wait(int) override
	{
		if (stIdlePort->Count() > 0)
			stWaitedOverMessage = true;
	}

private:
	int fWakeFD;
};

std::shared_ptr<BPrivate::IdleReader>
make_queueing_reader()
{
	return std::make_shared<QueueingReader>();
}

} // namespace


TEST(PortTest, AnIdleReaderReadsWhatCameWhileItLookedForARequest)
{
	stIdlePort = Port::Create(10);
	Port::SetIdleReaders(make_queueing_reader);
	Port::OfferIdleReader(stIdlePort->ID());

	BMessage* message = stIdlePort->Read(500000);
	ASSERT_NE(message, nullptr);
	EXPECT_EQ(message->what, 'late');
	EXPECT_FALSE(stWaitedOverMessage);
	delete message;

	Port::SetIdleReaders(nullptr);
	stIdlePort->Close();
	stIdlePort.reset();
}
