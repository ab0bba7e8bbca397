// BNetEndpoint and BNetAddress on the loopback interface: a stream connection both ways,
// datagrams, timeouts, and addresses from names and numbers.
#include <NetEndpoint.h>

#include <Message.h>

#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <thread>

namespace {

// A listening endpoint on a free loopback port.
class LoopbackTest : public testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_EQ(fListener.InitCheck(), B_OK);
		ASSERT_EQ(fListener.Bind(BNetAddress("127.0.0.1", 0)), B_OK);
		ASSERT_EQ(fListener.Listen(), B_OK);
		ASSERT_EQ(fListener.LocalAddr().GetAddr((char*)nullptr, &fPort), B_OK);
		ASSERT_NE(fPort, 0);
	}

	BNetEndpoint	fListener;
	unsigned short	fPort = 0;
};

} // namespace


TEST_F(LoopbackTest, StreamCarriesBytesBothWays)
{
	BNetEndpoint client;
	ASSERT_EQ(client.Connect("127.0.0.1", fPort), B_OK);
	std::unique_ptr<BNetEndpoint> server(fListener.Accept(5000));
	ASSERT_NE(server, nullptr);

	EXPECT_EQ(client.Send("ping", 4), 4);
	server->SetTimeout(5000000);
	char text[8] = {};
	EXPECT_EQ(server->Receive(text, sizeof(text)), 4);
	EXPECT_STREQ(text, "ping");

	BNetBuffer out;
	out.AppendInt32(77);
	out.AppendString("pong");
	EXPECT_EQ(server->Send(out), 9);
	EXPECT_EQ(out.BytesRemaining(), 0u);
	BNetBuffer in;
	client.SetTimeout(5000000);
	ASSERT_EQ(client.Receive(in, 64), 9);
	int32 number;
	ASSERT_EQ(in.RemoveInt32(number), B_OK);
	EXPECT_EQ(number, 77);

	unsigned short clientPort = 0;
	client.LocalAddr().GetAddr((char*)nullptr, &clientPort);
	unsigned short peerPort = 0;
	server->RemoteAddr().GetAddr((char*)nullptr, &peerPort);
	EXPECT_EQ(clientPort, peerPort);

	client.Close();
	EXPECT_EQ(server->Receive(text, sizeof(text)), 0);
	EXPECT_EQ(client.InitCheck(), B_NO_INIT);
}


TEST_F(LoopbackTest, ReceiveAndAcceptEndAtTheirTimeout)
{
	EXPECT_EQ(fListener.Accept(20), nullptr);
	EXPECT_EQ(fListener.Error(), ETIMEDOUT);

	BNetEndpoint client;
	ASSERT_EQ(client.Connect(BNetAddress("localhost", fPort)), B_OK);
	std::unique_ptr<BNetEndpoint> server(fListener.Accept());
	ASSERT_NE(server, nullptr);
	server->SetTimeout(20000);
	char byte;
	bigtime_t start = system_time();
	EXPECT_EQ(server->Receive(&byte, 1), -1);
	EXPECT_EQ(server->Error(), ETIMEDOUT);
	EXPECT_GE(system_time() - start, 20000);
	EXPECT_FALSE(server->IsDataPending(0));
	client.Send("x", 1);
	EXPECT_TRUE(server->IsDataPending(5000000));
}


TEST(NetEndpoint, DatagramsCarryTheirSender)
{
	BNetEndpoint receiver(SOCK_DGRAM);
	ASSERT_EQ(receiver.Bind(BNetAddress("127.0.0.1", 0)), B_OK);
	unsigned short port = 0;
	receiver.LocalAddr().GetAddr((char*)nullptr, &port);
	BNetEndpoint sender(SOCK_DGRAM);
	ASSERT_EQ(sender.Bind(BNetAddress("127.0.0.1", 0)), B_OK);
	EXPECT_EQ(sender.SendTo("datagram", 8, BNetAddress("127.0.0.1", port)), 8);

	receiver.SetTimeout(5000000);
	char text[16] = {};
	BNetAddress from;
	EXPECT_EQ(receiver.ReceiveFrom(text, sizeof(text), from), 8);
	EXPECT_STREQ(text, "datagram");
	unsigned short fromPort = 0, senderPort = 0;
	from.GetAddr((char*)nullptr, &fromPort);
	sender.LocalAddr().GetAddr((char*)nullptr, &senderPort);
	EXPECT_EQ(fromPort, senderPort);
}


TEST(NetEndpoint, ConnectingWhereNobodyListensFails)
{
	BNetEndpoint probe;
	ASSERT_EQ(probe.Bind(BNetAddress("127.0.0.1", 0)), B_OK);
	unsigned short port = 0;
	probe.LocalAddr().GetAddr((char*)nullptr, &port);
	probe.Close();
	BNetEndpoint client;
	EXPECT_EQ(client.Connect("127.0.0.1", port), B_ERROR);
	EXPECT_EQ(client.Error(), ECONNREFUSED);
	EXPECT_NE(strlen(client.ErrorStr()), 0u);
}


TEST(NetAddress, FromNamesNumbersAndArchives)
{
	BNetAddress loopback("127.0.0.1", 8080);
	ASSERT_EQ(loopback.InitCheck(), B_OK);
	sockaddr_in address;
	ASSERT_EQ(loopback.GetAddr(address), B_OK);
	EXPECT_EQ(ntohs(address.sin_port), 8080);
	EXPECT_EQ(ntohl(address.sin_addr.s_addr), (uint32)INADDR_LOOPBACK);

	BNetAddress numeric((uint32)INADDR_LOOPBACK, 25);
	in_addr host;
	unsigned short port = 0;
	ASSERT_EQ(numeric.GetAddr(host, &port), B_OK);
	EXPECT_EQ(host.s_addr, address.sin_addr.s_addr);
	EXPECT_EQ(port, 25);
	char name[256];
	ASSERT_EQ(numeric.GetAddr(name, nullptr), B_OK);
	EXPECT_NE(name[0], '\0');

	BMessage archive;
	ASSERT_EQ(loopback.Archive(&archive), B_OK);
	std::unique_ptr<BNetAddress> restored(
		dynamic_cast<BNetAddress*>(BNetAddress::Instantiate(&archive)));
	ASSERT_NE(restored, nullptr);
	sockaddr_in again;
	ASSERT_EQ(restored->GetAddr(again), B_OK);
	EXPECT_EQ(memcmp(&again, &address, sizeof(address)), 0);

	BNetAddress nowhere("no-such-host.invalid", 1);
	EXPECT_NE(nowhere.InitCheck(), B_OK);
	EXPECT_EQ(nowhere.GetAddr(address), B_NO_INIT);
}
