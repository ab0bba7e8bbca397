// A looper's port: its capacity holds for senders in this process (they wait for room) and
// for the transport (it is refused at once, and cuts the sender off).
#include <Message.h>

#include <gtest/gtest.h>

#include "app/Port.h"

using BPrivate::Port;

TEST(PortTest, ACapacityInMessagesHoldsForLocalAndRemoteSenders)
{
	std::shared_ptr<Port> port = Port::Create(2);
	ASSERT_EQ(port->Write(new BMessage('one'), 0), B_OK);
	ASSERT_EQ(port->WriteRemote(new BMessage('two'), 100), B_OK);

	BMessage* refused = new BMessage('thre');
	EXPECT_EQ(port->WriteRemote(refused, 100), B_WOULD_BLOCK);
	EXPECT_EQ(port->Write(refused, 0), B_WOULD_BLOCK);
	EXPECT_EQ(port->Write(refused, 20000), B_TIMED_OUT);
	EXPECT_EQ(port->Count(), 2);

	// Reading makes room for both kinds again.
	delete port->Read(0);
	EXPECT_EQ(port->WriteRemote(refused, 100), B_OK);
	delete port->Read(0);
	EXPECT_EQ(port->Write(new BMessage('four'), 0), B_OK);
	port->Close();
}


TEST(PortTest, MessagesFromOtherProcessesAreCappedInBytesToo)
{
	std::shared_ptr<Port> port = Port::Create(200);
	size_t third = BPrivate::kMaxRemoteQueueBytes / 3;
	for (int i = 0; i < 3; i++)
		ASSERT_EQ(port->WriteRemote(new BMessage('big '), third), B_OK);
	BMessage* over = new BMessage('over');
	EXPECT_EQ(port->WriteRemote(over, third), B_WOULD_BLOCK);
	// Local messages are not counted against it.
	EXPECT_EQ(port->Write(new BMessage('locl'), 0), B_OK);

	// Taking one remote message gives its bytes back.
	delete port->Read(0);
	EXPECT_EQ(port->WriteRemote(over, third), B_OK);
	port->Close();
}
