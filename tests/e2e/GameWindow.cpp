#include "GameWindow.h"

#include <QPointF>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
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

TVirtualDisplay::TVirtualDisplay(int width, int height, int dotsPerInch) : FWidth(width), FHeight(height)
{
    for (int number = 90; number < 110; ++number) {
        if (access(("/tmp/.X11-unix/X" + std::to_string(number)).c_str(), F_OK) == 0)
            continue;
        FName = ":" + std::to_string(number);
        FServer = TChildProcess({"Xvfb", FName, "-screen", "0", std::to_string(width) + "x" + std::to_string(height) + "x24",
                                    "-dpi", std::to_string(dotsPerInch), "-nolisten", "tcp"},
                                   {});
        for (int i = 0; i < 100; ++i) {
            if (RunCommand("DISPLAY=" + FName + " xdpyinfo >/dev/null 2>&1 && echo up").find("up") == 0)
                break;
            SleepMs(50);
        }
        FWindowManager = TChildProcess({"openbox"}, {Env()});
        SleepMs(500);
        // Desktops tell programs their text resolution through this resource; the toolkit reads no other.
        // Set while the window manager holds the server open: a server without clients resets.
        if (dotsPerInch != 96)
            RunCommand(Env() + " xprop -root -format RESOURCE_MANAGER 8s -set RESOURCE_MANAGER \"$(printf 'Xft.dpi:\\t" +
                       std::to_string(dotsPerInch) + "')\"");
        return;
    }
    throw std::runtime_error("no free X display number");
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
    // The program's own German texts unless a test asks for a language.
    std::vector<std::string> env{display.Env(), "QT_QPA_PLATFORM=xcb", "LANG=C.UTF-8", "LANGUAGE=", "LC_ALL=",
                                 "LC_MESSAGES="};
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    FProcess = TChildProcess(argv, env);
    for (int i = 0; i < 150 && FWindowId.empty(); ++i) {
        SleepMs(100);
        const std::string out = Xdotool("search --name 'QuiboTrainer v.1.0'");
        if (!out.empty())
            FWindowId = out.substr(0, out.find('\n'));
    }
    if (!FWindowId.empty()) {
        Xdotool("windowactivate --sync " + FWindowId);
        Xdotool("windowfocus --sync " + FWindowId);
        SleepMs(500);
    }
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
