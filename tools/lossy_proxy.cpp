// Relays an online race's UDP between a joiner and a host on this machine, as a bad line would:
//   lossy_proxy --listen PORT --to HOSTPORT [--delay MS] [--jitter MS] [--drop FRACTION] [--duplicate FRACTION]
// The joiner then joins 127.0.0.1:PORT. The delay is each way: a round trip gains twice as much.
#include "platform/SystemClock.h"
#include "tools/LossyProxy.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

double Number(const char* text, double low, double high)
{
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || value < low || value > high)
        throw std::invalid_argument(std::string("bad value ") + text);
    return value;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        uint16_t listen = 0;
        uint16_t to = 0;
        TLossyProxy::TFaults faults{0, 0, 0, 0};
        for (int i = 1; i + 1 < argc; i += 2) {
            const std::string name = argv[i];
            const char* value = argv[i + 1];
            if (name == "--listen")
                listen = static_cast<uint16_t>(Number(value, 1, 65535));
            else if (name == "--to")
                to = static_cast<uint16_t>(Number(value, 1, 65535));
            else if (name == "--delay")
                faults.DelayMilliseconds = static_cast<int>(Number(value, 0, 10000));
            else if (name == "--jitter")
                faults.JitterMilliseconds = static_cast<int>(Number(value, 0, 10000));
            else if (name == "--drop")
                faults.Drop = Number(value, 0, 1);
            else if (name == "--duplicate")
                faults.Duplicate = Number(value, 0, 1);
            else
                throw std::invalid_argument("unknown option " + name);
        }
        if (listen == 0 || to == 0 || faults.JitterMilliseconds > faults.DelayMilliseconds)
            throw std::invalid_argument("usage: lossy_proxy --listen PORT --to HOSTPORT [--delay MS] [--jitter MS <= delay] "
                                        "[--drop F] [--duplicate F]");
        TSystemClock clock;
        TLossyProxy proxy(clock, to, faults, 1, listen);
        for (;;) {
            proxy.Pump();
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lossy_proxy: %s\n", error.what());
        return 2;
    }
}
