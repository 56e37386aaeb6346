#include "network/EnetLink.h"
#include "app/OnlineOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(OnlineOptions, TheCommandLineOfAnOnlineRace)
{
    const struct {
        std::vector<std::string> Args;
        TOnlineOptions::TRole Role;
        uint16_t Port;
        std::string Address;
        std::string Record;
    } cases[] = {
        {{}, TOnlineOptions::Local, 0, "", ""},
        {{"DEBUG"}, TOnlineOptions::Local, 0, "", ""},
        {{"--host"}, TOnlineOptions::Host, DefaultPort, "", ""},
        {{"--host", "4000"}, TOnlineOptions::Host, 4000, "", ""},
        {{"--host", "--record", "r.txt"}, TOnlineOptions::Host, DefaultPort, "", "r.txt"},
        {{"--join"}, TOnlineOptions::Join, 0, "", ""},
        {{"DEBUG", "--join", "boat.example:4000"}, TOnlineOptions::Join, 0, "boat.example:4000", ""},
    };
    for (const auto& c : cases) {
        const TOnlineOptions o = ParseOnlineOptions(c.Args);
        EXPECT_EQ(o.Role, c.Role);
        EXPECT_EQ(o.Port, c.Port);
        EXPECT_EQ(o.Address, c.Address);
        EXPECT_EQ(o.RecordPath, c.Record);
    }
}

TEST(OnlineOptions, WhatCannotBeMeantIsRefused)
{
    const std::vector<std::vector<std::string>> refused = {
        {"--host", "0"}, {"--host", "65536"}, {"--host", "12a"}, {"--host", "--join"},
        {"--record"},    {"--record", "r.txt"}, {"--hots"},
    };
    for (const auto& args : refused)
        EXPECT_THROW(ParseOnlineOptions(args), std::invalid_argument) << args[0];
}

TEST(OnlineOptions, AddressesSplitIntoNameAndPort)
{
    std::string host;
    uint16_t port = 0;
    SplitHostPort("127.0.0.1", host, port);
    EXPECT_EQ(host, "127.0.0.1");
    EXPECT_EQ(port, DefaultPort);
    SplitHostPort("boat.example:65535", host, port);
    EXPECT_EQ(host, "boat.example");
    EXPECT_EQ(port, 65535);
    for (const char* bad : {":4000", "boat:", "boat:0", "boat:99999", "a:b:c"})
        EXPECT_THROW(SplitHostPort(bad, host, port), ENetStartError) << bad;
}

} // namespace
