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
        {{"--watch"}, TOnlineOptions::Watch, 0, "", ""},
        // A spectator records the race it watches.
        {{"--watch", "boat.example", "--record", "r.txt"}, TOnlineOptions::Watch, 0, "boat.example", "r.txt"},
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

TEST(OnlineOptions, TheRaceCodeTheOpenRaceAndTheRouter)
{
    const struct {
        std::vector<std::string> Args;
        std::string Code;
        bool Open;
        bool PortMapping;
    } cases[] = {
        {{"--host"}, "", false, true},
        // A code is kept in its written form, however it was typed.
        {{"--host", "--code", "k7p2qx"}, "K7P-2QX", false, true},
        {{"--host", "4000", "--code", " K7P-2QX ", "--no-port-mapping"}, "K7P-2QX", false, false},
        {{"--join", "boat.example", "--code", "k7p-2qx"}, "K7P-2QX", false, true},
        {{"--code", "K7P-2QX", "--join"}, "K7P-2QX", false, true},
        {{"--watch", "boat.example:4000", "--code", "k7p2qx"}, "K7P-2QX", false, true},
        {{"--open", "--host", "4000"}, "", true, true},
        {{"--host", "--open", "--no-port-mapping"}, "", true, false},
    };
    for (const auto& c : cases) {
        const TOnlineOptions o = ParseOnlineOptions(c.Args);
        EXPECT_EQ(o.Code, c.Code) << c.Args[0] << " " << c.Args[1];
        EXPECT_EQ(o.Open, c.Open) << c.Args[0] << " " << c.Args[1];
        EXPECT_EQ(o.PortMapping, c.PortMapping) << c.Args[0] << " " << c.Args[1];
    }
    const struct {
        std::vector<std::string> Args;
        const char* Names;
    } refused[] = {
        {{"--host", "--code"}, "--code"},
        {{"--host", "--code", "--open"}, "--code"},
        {{"--join", "boat", "--code", "K7P-2Q"}, "K7P-2Q"},
        {{"--join", "boat", "--code", "K7P-2QXA"}, "K7P-2QXA"},
        // Look-alikes are not in the alphabet: O for 0, I for 1, S for 5.
        {{"--join", "boat", "--code", "K0P-2QX"}, "K0P-2QX"},
        {{"--join", "boat", "--code", "KIP-SQX"}, "KIP-SQX"},
        {{"--code", "K7P-2QX"}, "--code"},
        {{"--host", "--open", "--code", "K7P-2QX"}, "--open"},
        {{"--join", "boat", "--open"}, "--open"},
        {{"--open"}, "--open"},
        {{"--join", "boat", "--no-port-mapping"}, "--no-port-mapping"},
        {{"--no-port-mapping"}, "--no-port-mapping"},
        // One may race or watch, not both.
        {{"--watch", "--host"}, "--watch"},
        {{"--join", "boat", "--watch", "boat"}, "--watch"},
        {{"--watch", "boat", "--open"}, "--open"},
        {{"--watch", "boat", "--no-port-mapping"}, "--no-port-mapping"},
    };
    for (const auto& r : refused) {
        try {
            ParseOnlineOptions(r.Args);
            ADD_FAILURE() << r.Names << " was taken";
        } catch (const std::invalid_argument& error) {
            EXPECT_NE(std::string(error.what()).find(r.Names), std::string::npos) << error.what();
        }
    }
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
