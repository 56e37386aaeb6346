#include "GameWindow.h"

#include <QPointF>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

void SleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        SleepMs(50);
    }
    return true;
}

TChildProcess::TChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv)
{
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e)
        env.emplace_back(*e);
    for (const auto& extra : extraEnv) {
        const auto name = extra.substr(0, extra.find('=') + 1);
        std::erase_if(env, [&](const std::string& e) { return e.rfind(name, 0) == 0; });
        env.push_back(extra);
    }
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (const auto& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    if (posix_spawnp(&FPid, args[0], nullptr, nullptr, args.data(), envp.data()) != 0)
        throw std::runtime_error("cannot start " + argv[0]);
}

TChildProcess::~TChildProcess()
{
    if (FPid > 0 && Running()) {
        kill(FPid, SIGTERM);
        if (WaitExit(2000) == -1 && Running()) {
            kill(FPid, SIGKILL);
            WaitExit(2000);
        }
    }
}

TChildProcess::TChildProcess(TChildProcess&& other) noexcept : FPid(other.FPid), FExitCode(other.FExitCode)
{
    other.FPid = -1;
}

TChildProcess& TChildProcess::operator=(TChildProcess&& other) noexcept
{
    std::swap(FPid, other.FPid);
    std::swap(FExitCode, other.FExitCode);
    return *this;
}

bool TChildProcess::Running()
{
    if (FPid <= 0)
        return false;
    int status = 0;
    const pid_t r = waitpid(FPid, &status, WNOHANG);
    if (r == FPid) {
        FExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        FPid = -1;
        return false;
    }
    return true;
}

int TChildProcess::WaitExit(int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
        if (!Running())
            return FExitCode;
        SleepMs(20);
    }
    return -1;
}

std::string RunCommand(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return {};
    std::string out;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0)
        out.append(buffer, n);
    return out;
}

namespace {

// Reads the display number Xvfb writes once it accepts connections; -1 if none comes within timeoutMs.
int ReadDisplayNumber(int fd, int timeoutMs)
{
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (text.find('\n') == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            return -1;
        char buffer[16];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return -1;
        text.append(buffer, static_cast<size_t>(n));
    }
    return std::atoi(text.c_str());
}

} // namespace

TVirtualDisplay::TVirtualDisplay(int width, int height, int dotsPerInch) : FWidth(width), FHeight(height)
{
    // Xvfb picks a free display number itself and tells it through the pipe. Two servers starting at the same
    // moment can still pick the same number, and the later one gives up ("server already active"), at times
    // after it has told its number, so that the window manager finds no display: then both start again.
    // Only the writing end goes to Xvfb.
    constexpr int Starts = 4;
    bool ready = false;
    for (int start = 0; start < Starts && !ready; ++start) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            throw std::runtime_error("no pipe for Xvfb");
        fcntl(pipeEnds[0], F_SETFD, FD_CLOEXEC);
        FWindowManager = TChildProcess();
        FServer = TChildProcess({"Xvfb", "-displayfd", std::to_string(pipeEnds[1]), "-screen", "0",
                                 std::to_string(width) + "x" + std::to_string(height) + "x24", "-dpi",
                                 std::to_string(dotsPerInch), "-nolisten", "tcp"},
                                {});
        close(pipeEnds[1]);
        const int number = ReadDisplayNumber(pipeEnds[0], 10000);
        close(pipeEnds[0]);
        if (number < 0)
            continue;
        FName = ":" + std::to_string(number);
        FWindowManager = TChildProcess({"openbox"}, {Env()});
        // The window manager is there once it has named its check window on the root.
        ready = WaitFor([&] { return RunCommand(Env() + " xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null")
                                         .find("window id") != std::string::npos; },
                        10000);
    }
    if (!ready)
        throw std::runtime_error("Xvfb or its window manager did not start");
    // Desktops tell programs their text resolution through this resource; the toolkit reads no other.
    // Set while the window manager holds the server open: a server without clients resets.
    if (dotsPerInch != 96)
        RunCommand(Env() + " xprop -root -format RESOURCE_MANAGER 8s -set RESOURCE_MANAGER \"$(printf 'Xft.dpi:\\t" +
                   std::to_string(dotsPerInch) + "')\"");
}

bool TVirtualDisplay::SetLayout(const std::string& layout) const
{
    return RunCommand(Env() + " setxkbmap " + layout + " 2>/dev/null && echo set").find("set") == 0;
}

TChildProcess TVirtualDisplay::OpenWindow(const std::vector<std::string>& argv) const
{
    return TChildProcess(argv, {Env()});
}

TGameWindow::TGameWindow(const TVirtualDisplay& display, const std::vector<std::string>& args,
                         const std::vector<std::string>& extraEnv)
    : FDisplay(display)
{
    std::vector<std::string> argv{QUIBO_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    // The program's own German texts unless a test asks for a language; its signals mixed and heard by nobody.
    std::vector<std::string> env{display.Env(), "QT_QPA_PLATFORM=xcb", "LANG=C.UTF-8", "LANGUAGE=", "LC_ALL=",
                                 "LC_MESSAGES=", "SDL_AUDIODRIVER=dummy"};
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    FProcess = TChildProcess(argv, env);
    for (int i = 0; i < 150 && FWindowId.empty(); ++i) {
        SleepMs(100);
        const std::string out = Xdotool("search --name 'QuiboTrainer v.1.0'");
        if (!out.empty())
            FWindowId = out.substr(0, out.find('\n'));
    }
    if (FWindowId.empty())
        return;
    Xdotool("windowactivate --sync " + FWindowId);
    Xdotool("windowfocus --sync " + FWindowId);
    // Ready once the race is drawn: the green dinghy's exact colour on the screen. A host's race waits for its
    // guest, so the host's window is ready once painted: the toolbar's silver.
    const bool host = std::find(args.begin(), args.end(), "--host") != args.end();
    WaitFor(
        [&] {
            const QImage shot = Screenshot();
            return host ? !shot.isNull() && (shot.pixel(600, 20) & 0xFFFFFFu) == 0xC0C0C0u
                        : CountColor(shot, 0x008080) > 0;
        },
        5000);
}

TGameWindow::~TGameWindow() = default;

std::string TGameWindow::Xdotool(const std::string& args)
{
    return RunCommand(FDisplay.Env() + " xdotool " + args + " 2>/dev/null");
}

void TGameWindow::Keys(const std::string& xdotoolArgs)
{
    Xdotool(xdotoolArgs);
}

bool TGameWindow::SteerIntoEachOther()
{
    bool wrecked = false;
    for (int attempt = 0; attempt < 3 && !wrecked; ++attempt) {
        if (attempt > 0) {
            Keys("key F3");
            SleepMs(300);
        }
        Keys("keydown Right keydown y");
        SleepMs(450);
        Keys("keyup Right keyup y");
        for (int wait = 0; wait < 40 && !wrecked; ++wait) {
            SleepMs(100);
            const QImage area = DrawingArea();
            wrecked = CountColor(area, Green) == 0 && CountColor(area, Red) == 0;
        }
    }
    return wrecked;
}

namespace {

// The number after "label" in text, or -1.
int NumberAfter(const std::string& text, const std::string& label)
{
    const size_t at = text.find(label);
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + label.size());
}

} // namespace

QSize TGameWindow::ClientSize()
{
    const std::string info = RunCommand(FDisplay.Env() + " xwininfo -id " + FWindowId + " 2>/dev/null");
    return {NumberAfter(info, "Width:"), NumberAfter(info, "Height:")};
}

QRect TGameWindow::FrameGeometry()
{
    const std::string info = RunCommand(FDisplay.Env() + " xwininfo -id " + FWindowId + " 2>/dev/null");
    // _NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom
    const std::string extents =
        RunCommand(FDisplay.Env() + " xprop -id " + FWindowId + " _NET_FRAME_EXTENTS 2>/dev/null");
    int frame[4] = {0, 0, 0, 0};
    if (std::sscanf(extents.c_str(), "_NET_FRAME_EXTENTS(CARDINAL) = %d, %d, %d, %d", &frame[0], &frame[1],
                    &frame[2], &frame[3]) != 4)
        return {};
    const int x = NumberAfter(info, "Absolute upper-left X:");
    const int y = NumberAfter(info, "Absolute upper-left Y:");
    const QSize client = ClientSize();
    if (x < 0 || y < 0 || client.width() <= 0)
        return {};
    return {x - frame[0], y - frame[2], client.width() + frame[0] + frame[1], client.height() + frame[2] + frame[3]};
}

QImage TGameWindow::Screenshot()
{
    const std::string file = "/tmp/quibo-e2e-" + std::to_string(getpid()) + ".png";
    RunCommand(FDisplay.Env() + " import -window " + FWindowId + " " + file + " 2>/dev/null");
    QImage image(QString::fromStdString(file));
    std::remove(file.c_str());
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage TGameWindow::DrawingArea()
{
    return Screenshot().copy(0, 41, 1076, 750);
}

QImage TGameWindow::StillDrawingArea(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    QImage previous = DrawingArea();
    for (;;) {
        QImage now = DrawingArea();
        if (now == previous || std::chrono::steady_clock::now() >= deadline)
            return now;
        previous = std::move(now);
    }
}

bool TGameWindow::DrawingAreaLeaves(const QImage& picture, int timeoutMs)
{
    return WaitFor([&] { return DrawingArea() != picture; }, timeoutMs);
}

bool Water(QRgb pixel)
{
    // Waves mixed into the water at a fractional scale are lighter but still blue.
    return qBlue(pixel) - qRed(pixel) > 30;
}

int CountColor(const QImage& image, unsigned rgb)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFFu) == rgb;
    return n;
}

QPointF CentreOfColor(const QImage& image, unsigned rgb)
{
    double sx = 0;
    double sy = 0;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) == rgb) {
                sx += x;
                sy += y;
                ++n;
            }
    return n == 0 ? QPointF(-1, -1) : QPointF(sx / n, sy / n);
}
