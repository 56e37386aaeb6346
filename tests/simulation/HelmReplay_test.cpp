// A regatta two computers sail, from a replay script: played twice, the same events and digests tick by tick.
#include "simulation/Random.h"
#include "simulation/headless/HeadlessGame.h"
#include "tools/ReplayScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> PlayScript(const std::vector<std::string>& script)
{
    RandSeed = 0;
    THeadlessGame game(false, 16 * 3600 * 1000 + 42);
    std::vector<std::string> lines;
    long tick = 0;
    TReplayPlayer player(game, [&] {
        ++tick;
        TRaceEvent event;
        while (game.Race().Events.Take(event)) {
            const std::string text = RegattaEventLine(tick, event);
            if (!text.empty())
                lines.push_back(text);
        }
        lines.push_back(DigestLine(tick, game));
    });
    for (const std::string& text : script)
        EXPECT_TRUE(player.Play(ParseReplayLine(text))) << text;
    return lines;
}

TEST(HelmReplay, ARegattaOfTwoComputersReplaysTickByTick)
{
    // The stretch's tillers are the players': the computers steer regardless.
    const std::vector<std::string> script = {"wind 200 12 16", "helm green computer 4", "helm red computer 2",
                                             "regatta 1 penalties", "3200 0 2"};
    const std::vector<std::string> first = PlayScript(script);
    const std::vector<std::string> second = PlayScript(script);
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i)
        ASSERT_EQ(first[i], second[i]) << "line " << i + 1;
    // Both sailed it to the end.
    size_t finished = 0;
    bool over = false;
    for (const std::string& line : first) {
        finished += line.find(" regatta finished ") != std::string::npos;
        over = over || line.find(" regatta over") != std::string::npos;
    }
    EXPECT_EQ(finished, 2u);
    EXPECT_TRUE(over);

    // Who steers is part of the race: a player taking the dinghy back changes what follows.
    std::vector<std::string> handedBack = script;
    handedBack.back() = "1500 0 2";
    handedBack.push_back("helm red player");
    handedBack.push_back("1700 0 2");
    EXPECT_NE(PlayScript(handedBack).back(), first.back());
}

} // namespace
