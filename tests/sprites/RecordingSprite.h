#pragma once
#include "sprites/Sprite.h"

#include <string>
#include <vector>

// A sprite that writes "move:<name>", "render:<name>" and "free:<name>" into a shared log.
class TRecordingSprite : public TSprite {
public:
    TRecordingSprite(TSprite* parent, std::vector<std::string>& log, std::string name)
        : TSprite(parent), FLog(log), FName(std::move(name))
    {
    }
    ~TRecordingSprite() override { FLog.push_back("free:" + FName); }

    void Advance(int32_t moveCount) override { FLog.push_back("move:" + FName + ":" + std::to_string(moveCount)); }
    void Render() override { FLog.push_back("render:" + FName); }

private:
    std::vector<std::string>& FLog;
    std::string FName;
};
