#pragma once
#include <cstdint>
#include <utility>
#include <vector>

class TPadSteering;
struct _SDL_GameController;

// The game controllers as SDL sees them, read on the calling thread only when polled. SDL is started for game
// controllers alone: no window, no sound, no thread. Its controller database (built in, and what
// SDL_GAMECONTROLLERCONFIG adds) gives common pads the same layout. Where SDL cannot start, nothing happens.
class TGamePads {
public:
    // The steering must outlive the pads.
    explicit TGamePads(TPadSteering& steering);
    ~TGamePads();
    TGamePads(const TGamePads&) = delete;
    TGamePads& operator=(const TGamePads&) = delete;

    bool Available() const { return FAvailable; }
    // Whether any game controller is plugged in.
    bool AnyOpen() const { return !FOpen.empty(); }
    // Pads plugged in or out, and what the pads did since the last poll.
    void Poll();
    // After the pads went unread for a while: what they did meanwhile is dropped, and the tillers follow the
    // controls held now.
    void PollAfterAbsence();

private:
    void Poll(bool withInput);
    void Open(int deviceIndex);
    void Close(int32_t pad);

    TPadSteering& FSteering;
    bool FAvailable = false;
    // The open controllers by their SDL instance ids.
    std::vector<std::pair<int32_t, _SDL_GameController*>> FOpen;
};
