#include "components/net/wsocket.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <netdb.h>
#include <unistd.h>

#include "components/net/wait.h"
#include "platform/message_loop.h"

namespace orv::net {
namespace {

template <typename Condition>
void PumpUntil(Condition condition) {
  while (!condition()) WaitMessages(std::chrono::milliseconds(-1));
}

// The message of the ESocketException that `action` raises.
template <typename Action>
std::string Raised(Action action) {
  try {
    action();
  } catch (const ESocketException& error) {
    return error.what();
  }
  return "(nothing raised)";
}

TEST(SocketErrorsTest, TextsOfTheTable) {
  const std::pair<int, const char*> cases[] = {
      {0, "No Error"},           {10004, "Interrupted system call"}, {10035, "Operation would block"},
      {10054, "Connection reset by peer"}, {10057, "Socket is not connected"}, {10060, "Connection timed out"},
      {10061, "Connection refused"}, {10093, "WinSock not initialized"}, {11001, "Host not found"},
      {11004, "No Data"},        {12345, "Not a WinSock error"},     {-1, "Not a WinSock error"},
  };
  for (const auto& [error, text] : cases) EXPECT_EQ(WSocketErrorDesc(error), text) << error;
}

TEST(SocketErrorsTest, SystemErrorsMapOntoTheTable) {
  const std::pair<int, int> cases[] = {
      {0, 0},         {ECONNREFUSED, 10061}, {ECONNRESET, 10054}, {EPIPE, 10054},  {ETIMEDOUT, 10060},
      {EHOSTUNREACH, 10065}, {ENETUNREACH, 10051}, {EADDRINUSE, 10048}, {ENOTCONN, 10057}, {EAGAIN, 10035},
      {EINPROGRESS, 10036}, {EMFILE, 10024}, {ENOENT, ENOENT},
  };
  for (const auto& [from, to] : cases) EXPECT_EQ(SocketErrorFromErrno(from), to) << from;
  EXPECT_EQ(SocketErrorFromLookup(0, 0), 0);
  EXPECT_EQ(SocketErrorFromLookup(EAI_NONAME, 0), 11001);
  EXPECT_EQ(SocketErrorFromLookup(EAI_AGAIN, 0), 11002);
  EXPECT_EQ(SocketErrorFromLookup(EAI_FAIL, 0), 11003);
  EXPECT_EQ(SocketErrorFromLookup(EAI_SYSTEM, ECONNREFUSED), 10061);
}

TEST(WSocketTest, PortsProtocolsAndAddresses) {
  EXPECT_EQ(WSocketResolvePort("http", "tcp"), 80);
  EXPECT_EQ(WSocketResolvePort("smtp", "tcp"), 25);
  EXPECT_EQ(WSocketResolvePort("8080", "tcp"), 8080);
  EXPECT_EQ(Raised([] { WSocketResolvePort("no-such-service", "tcp"); }),
            "SetPort: Cannot convert port 'no-such-service'");
  EXPECT_EQ(Raised([] { WSocketResolvePort("70000", "tcp"); }), "SetPort: Cannot convert port '70000'");
  EXPECT_EQ(WSocketResolveProto("tcp"), 6);
  EXPECT_EQ(WSocketResolveProto("udp"), 17);
  EXPECT_EQ(Raised([] { WSocketResolveProto("bogus"); }), "SetProto: Cannot convert protocol 'bogus'");
  EXPECT_EQ(WSocketResolveHost("255.255.255.255"), 0xFFFFFFFFu);
  EXPECT_EQ(WSocketResolveHost("127.0.0.1"), htonl(0x7F000001));
  EXPECT_EQ(Raised([] { WSocketResolveHost("host.invalid"); }), "SetAddr: Cannot convert host address 'host.invalid'");
}

TEST(WSocketTest, ChecksBeforeConnectAndListen) {
  TWSocket socket;
  EXPECT_EQ(socket.State(), wsClosed);
  EXPECT_EQ(Raised([&] { socket.Connect(); }), "Connect: No Port Specified");
  socket.SetPort("80");
  EXPECT_EQ(Raised([&] { socket.Connect(); }), "Connect: No IP Address Specified");
  socket.SetAddr("127.0.0.1");
  socket.SetProto("");
  EXPECT_EQ(Raised([&] { socket.Connect(); }), "Connect: No Protocol Specified");
  TWSocket listener;
  EXPECT_EQ(Raised([&] { listener.Listen(); }), "listen: port not assigned");
  listener.SetPort("0");
  listener.SetProto("");
  EXPECT_EQ(Raised([&] { listener.Listen(); }), "listen: protocol not assigned");
  listener.SetProto("tcp");
  EXPECT_EQ(Raised([&] { listener.Listen(); }), "listen: address not assigned");
  EXPECT_EQ(Raised([&] { listener.Accept(); }), "not a listening socket");
  listener.SetProto("udp");
  listener.SetAddr("127.0.0.1");
  EXPECT_EQ(Raised([&] { listener.Listen(); }), "listen: only tcp sockets can listen");
  EXPECT_EQ(Raised([&] { listener.DnsLookup(""); }), "DNS lookup: invalid host name.");
  EXPECT_EQ(Raised([&] { listener.Wait(1, wsConnected); }), "No wait object assigned");
  EXPECT_EQ(Raised([&] { listener.SetSendFlags(static_cast<TSocketSendFlags>(7)); }), "Invalid SendFlags");
}

TEST(WSocketTest, SendingWhileClosedIsAnError) {
  TWSocket socket;
  EXPECT_EQ(Raised([&] { socket.SendStr("x"); }), "Error 10057 in function Send\r\nSocket is not connected");
  uint16_t reported = 0;
  socket.OnError = [&reported](TObject*, uint16_t error) { reported = error; };
  EXPECT_EQ(socket.SendStr("x"), -1);
  EXPECT_EQ(reported, 10057);
  EXPECT_EQ(socket.LastError(), 10057);
  EXPECT_EQ(socket.ErrorMessage(), "Error 10057 in function Send\r\nSocket is not connected");
}

TEST(WSocketTest, ListenConnectEchoAndClose) {
  TWSocket listener;
  TWSocket peer;
  TWSocket client;
  listener.SetAddr("127.0.0.1");
  listener.SetPort("0");
  listener.OnSessionAvailable = [&](TObject*, uint16_t) { peer.Dup(listener.Accept()); };
  listener.Listen();
  EXPECT_EQ(listener.State(), wsListening);
  std::string peer_got;
  peer.OnDataAvailable = [&](TObject*, uint16_t) {
    char buffer[64];
    int got = peer.Receive(buffer, sizeof buffer);
    if (got > 0) {
      peer_got.append(buffer, static_cast<size_t>(got));
      peer.Send(buffer, static_cast<size_t>(got));
    }
  };
  bool peer_closed = false;
  peer.OnSessionClosed = [&](TObject*, uint16_t) { peer_closed = true; };

  std::vector<std::string> states;
  client.OnChangeState = [&states](TObject*, TSocketState, TSocketState state) {
    states.push_back(SocketStateName(state));
  };
  int connected = -1;
  client.OnSessionConnected = [&connected](TObject*, uint16_t error) { connected = error; };
  std::string client_got;
  client.OnDataAvailable = [&](TObject*, uint16_t) {
    char buffer[64];
    int got = client.Receive(buffer, sizeof buffer);
    if (got > 0) client_got.append(buffer, static_cast<size_t>(got));
  };
  int sent_events = 0;
  client.OnDataSent = [&sent_events](TObject*, uint16_t) { ++sent_events; };
  client.SetAddr("127.0.0.1");
  client.SetPort(listener.GetXPort());
  client.Connect();
  EXPECT_EQ(Raised([&] { client.Connect(); }), "Connect: Socket already in use");
  EXPECT_EQ(Raised([&] { client.SetAddr("10.0.0.1"); }), "Cannot change Addr if not closed");
  EXPECT_EQ(Raised([&] { client.SetPort("81"); }), "Cannot change Port if not closed");
  EXPECT_EQ(Raised([&] { client.SetProto("udp"); }), "Cannot change Proto if not closed");
  PumpUntil([&] { return connected == 0 && peer.State() == wsConnected; });
  EXPECT_EQ(client.GetPeerAddr(), "127.0.0.1");
  EXPECT_EQ(client.GetPeerPort(), listener.GetXPort());
  EXPECT_EQ(client.SendStr("hello"), 5);
  PumpUntil([&] { return client_got == "hello"; });
  EXPECT_EQ(peer_got, "hello");
  EXPECT_EQ(sent_events, 1);
  EXPECT_EQ(client.ReadCount(), 5u);
  client.Close();
  PumpUntil([&] { return peer_closed; });
  EXPECT_EQ(peer.State(), wsClosed);
  EXPECT_EQ(states, (std::vector<std::string>{"wsConnecting", "wsConnected", "wsClosed"}));
}

TEST(WSocketTest, RefusedConnectIsReportedByTheEvent) {
  TWSocket listener;
  listener.SetAddr("127.0.0.1");
  listener.SetPort("0");
  listener.Listen();
  std::string port = listener.GetXPort();
  listener.Close();
  TWSocket client;
  int connected = -1;
  client.OnSessionConnected = [&connected](TObject*, uint16_t error) { connected = error; };
  client.SetAddr("127.0.0.1");
  client.SetPort(port);
  client.Connect();
  PumpUntil([&] { return connected >= 0; });
  EXPECT_EQ(connected, 10061);
  EXPECT_EQ(client.State(), wsClosed);
}

TEST(WSocketTest, AsynchronousNameLookup) {
  TWSocket socket;
  int done = -1;
  socket.OnDnsLookupDone = [&done](TObject*, uint16_t error) { done = error; };
  socket.DnsLookup("localhost");
  PumpUntil([&] { return done >= 0; });
  EXPECT_EQ(done, 0);
  EXPECT_EQ(socket.DnsResult(), "127.0.0.1");
  EXPECT_FALSE(socket.DnsResultList().empty());
  done = -1;
  socket.DnsLookup("no-such-host.invalid");
  PumpUntil([&] { return done >= 0; });
  EXPECT_EQ(done, 11001);
  EXPECT_EQ(socket.DnsResult(), "");
}

TEST(WSocketTest, CancelledLookupReportsNothing) {
  TWSocket socket;
  int reports = 0;
  socket.OnDnsLookupDone = [&reports](TObject*, uint16_t) { ++reports; };
  socket.DnsLookup("no-such-host.invalid");
  socket.CancelDnsLookup();
  socket.DnsLookup("localhost");
  PumpUntil([&] { return reports > 0; });
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(socket.DnsResult(), "127.0.0.1");
}

// A listener on 127.0.0.1 that accepts and closes every caller, and a
// client with a wait control that connects to it.
struct WaitingClient {
  TWSocket listener;
  TWait wait;
  TWSocket client;

  WaitingClient() {
    listener.SetAddr("127.0.0.1");
    listener.SetPort("0");
    listener.OnSessionAvailable = [this](TObject*, uint16_t) { ::close(listener.Accept()); };
    listener.Listen();
    wait.SetInterval(10);
    client.SetWaitCtrl(&wait);
    client.SetAddr("127.0.0.1");
    client.SetPort(listener.GetXPort());
  }
};

TEST(WSocketTest, WaitForAStateWithTheWaitControl) {
  WaitingClient test;
  test.client.Connect();
  EXPECT_TRUE(test.client.Wait(500, wsConnected));
  EXPECT_FALSE(test.wait.Running());
}

TEST(WSocketTest, ErrorInAnEventIsRaisedByTheNextWait) {
  WaitingClient test;
  test.client.OnSessionConnected = [](TObject*, uint16_t) { throw ESocketException("handler failed"); };
  test.client.Connect();
  EXPECT_EQ(Raised([&] { test.client.Wait(500, wsConnected); }), "handler failed");
}

TEST(TWaitTest, CountsDownAndTimesOut) {
  TWait wait;
  wait.SetInterval(1);
  std::vector<int> counts;
  int timeouts = 0;
  int starts = 0;
  int stops = 0;
  wait.OnWait = [&counts](TObject*, int count) { counts.push_back(count); };
  wait.OnTimeout = [&timeouts](TObject*) { ++timeouts; };
  wait.OnWaitStart = [&](TObject*) {
    ++starts;
    EXPECT_TRUE(wait.Running());
    EXPECT_TRUE(wait.Visible());
  };
  wait.OnWaitStop = [&stops](TObject*) { ++stops; };
  EXPECT_EQ(wait.Wait(3), TWait::kTimedOut);
  EXPECT_EQ(counts, (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(timeouts, 1);
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(stops, 1);
  EXPECT_FALSE(wait.Running());
  EXPECT_FALSE(wait.Visible());
}

TEST(TWaitTest, ResultEndsTheWait) {
  TWait wait;
  wait.SetInterval(1);
  wait.OnWait = [&wait](TObject*, int count) {
    if (count == 8) wait.SetModalResult(7);
  };
  EXPECT_EQ(wait.Wait(10), 7);
  wait.OnWait = [&wait](TObject*, int) { wait.Stop(); };
  EXPECT_EQ(wait.Wait(10), TWait::kStopped);
}

}  // namespace
}  // namespace orv::net
