#pragma once
#include <QImage>
#include <QRect>

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// A child process, killed when the handle goes.
class TChildProcess {
public:
    TChildProcess() = default;
    TChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv);
    ~TChildProcess();
    TChildProcess(TChildProcess&& other) noexcept;
    TChildProcess& operator=(TChildProcess&& other) noexcept;

    pid_t Pid() const { return FPid; }
    // Waits up to timeoutMs for the process to end; its exit code, or -1 if it still runs.
    int WaitExit(int timeoutMs);
    bool Running();

private:
    pid_t FPid = -1;
    int FExitCode = -1;
};

// Runs a command to its end and returns what it printed.
std::string RunCommand(const std::string& command);

// A virtual X display with a window manager, for as long as the object lives.
class TVirtualDisplay {
public:
    explicit TVirtualDisplay(int width = 1280, int height = 1024, int dotsPerInch = 96);
    const std::string& Name() const { return FName; }
    std::string Env() const { return "DISPLAY=" + FName; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Switches the keyboard to an XKB layout ("us", "de", "ru"); false if that failed.
    bool SetLayout(const std::string& layout) const;
    // Another program's window, shown until the handle goes.
    TChildProcess OpenWindow(const std::vector<std::string>& argv) const;

private:
    std::string FName;
    int FWidth;
    int FHeight;
    TChildProcess FServer;
    TChildProcess FWindowManager;
};

// The game's main window on a display: found by its caption, focused, keyed, and photographed.
class TGameWindow {
public:
    TGameWindow(const TVirtualDisplay& display, const std::vector<std::string>& args = {},
                const std::vector<std::string>& extraEnv = {});
    ~TGameWindow();

    bool Found() const { return !FWindowId.empty(); }
    // The client area, 1076 x 810 at 96 dpi: toolbar, drawing area from row 41, status bar.
    QImage Screenshot();
    // The drawing area alone.
    QImage DrawingArea();
    // The drawing area once two shots in a row agree, or the last shot after timeoutMs.
    QImage StillDrawingArea(int timeoutMs);
    // Whether the drawing area comes to differ from that picture within timeoutMs.
    bool DrawingAreaLeaves(const QImage& picture, int timeoutMs);
    void Keys(const std::string& xdotoolArgs);
    // Turns green west and red east, mirror images heading for each other, until both hulls have exploded and
    // vanished; after a miss F3 puts them back for another try, up to three in all. False if they never did.
    bool SteerIntoEachOther();
    // The window with its frame, in screen coordinates; empty if it cannot be read.
    QRect FrameGeometry();
    // The client area's size.
    QSize ClientSize();
    TChildProcess& Process() { return FProcess; }

private:
    std::string Xdotool(const std::string& args);
    const TVirtualDisplay& FDisplay;
    TChildProcess FProcess;
    std::string FWindowId;
};

// The deep blue of the water, waves and all; the window's greys are neutral.
bool Water(QRgb pixel);
// Pixels of exactly this 0xRRGGBB value.
int CountColor(const QImage& image, unsigned rgb);
// The hulls' colours.
constexpr unsigned Green = 0x008080;
constexpr unsigned Red = 0xFF0000;
// Mean position of the pixels of that value; (-1, -1) when there are none.
QPointF CentreOfColor(const QImage& image, unsigned rgb);
void SleepMs(int ms);
// Asks until the condition holds, every 50 ms; false if it did not within timeoutMs.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs);
