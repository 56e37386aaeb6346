#include "network/PortMapping.h"

#include "network/RouterMapping.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using TClock = std::chrono::steady_clock;

// What the destructor waits for the router before it leaves the thread to finish alone.
constexpr std::chrono::milliseconds StopBound{1200};

// What the thread and the mapper share; the thread keeps it alive when the mapper goes before the router
// has answered.
struct TWork {
    TWork(uint16_t port, TPortMapperOptions options) : Port(port), Options(std::move(options))
    {
        Current.LocalPort = port;
        if (pipe2(Wake, O_CLOEXEC | O_NONBLOCK) != 0)
            Wake[0] = Wake[1] = -1;
    }
    ~TWork()
    {
        for (const int descriptor : Wake)
            if (descriptor >= 0)
                close(descriptor);
    }
    TWork(const TWork&) = delete;
    TWork& operator=(const TWork&) = delete;

    void Run()
    {
        while (!Stopping()) {
            std::unique_ptr<IRouterMapping> mapping = AskNatPmp(Options.NatPmpGateway, Port, Wake[0]);
            TPortMappingState::TProtocol protocol = TPortMappingState::NatPmp;
            if (mapping == nullptr && Options.Upnp && !Stopping()) {
                mapping = AskUpnp(Port);
                protocol = TPortMappingState::Upnp;
            }
            if (mapping == nullptr) {
                Tell(TPortMappingState::NoRouter, TPortMappingState::None, {});
                SleepUntil(TClock::time_point::max());
                break;
            }
            if (Hold(*mapping, protocol))
                break;
            // The router no longer grants it (restarted, say): ask from the start.
            Tell(TPortMappingState::Asking, TPortMappingState::None, {});
        }
        const std::lock_guard lock(Mutex);
        Finished = true;
        Changed.notify_all();
    }

    // Renews the mapping at half its lease until the mapper goes (true, the mapping removed) or the router
    // refuses (false).
    bool Hold(IRouterMapping& mapping, TPortMappingState::TProtocol protocol)
    {
        for (;;) {
            Tell(TPortMappingState::Mapped, protocol, mapping.Lease());
            const uint32_t seconds = mapping.Lease().Seconds;
            const TClock::time_point renewal = seconds == 0 ? TClock::time_point::max()
                                                            : TClock::now() + std::chrono::seconds(seconds / 2);
            if (SleepUntil(renewal)) {
                mapping.Remove();
                return true;
            }
            if (!mapping.Renew())
                return false;
        }
    }

    void Tell(TPortMappingState::TKind kind, TPortMappingState::TProtocol protocol, const TRouterLease& lease)
    {
        const std::lock_guard lock(Mutex);
        Current.Kind = kind;
        Current.Protocol = protocol;
        Current.ExternalAddress = lease.ExternalAddress;
        Current.ExternalPort = lease.ExternalPort;
    }

    bool Stopping()
    {
        const std::lock_guard lock(Mutex);
        return Stop;
    }

    // True when the mapper goes before the time.
    bool SleepUntil(TClock::time_point time)
    {
        std::unique_lock lock(Mutex);
        if (time == TClock::time_point::max())
            Changed.wait(lock, [this] { return Stop; });
        else
            Changed.wait_until(lock, time, [this] { return Stop; });
        return Stop;
    }

    void RequestStop()
    {
        {
            const std::lock_guard lock(Mutex);
            Stop = true;
        }
        Changed.notify_all();
        // Wakes a wait for a NAT-PMP answer; the pipe stays readable from now on.
        const char byte = 0;
        [[maybe_unused]] const ssize_t written = write(Wake[1], &byte, 1);
    }

    // True when the thread finished within the bound.
    bool AwaitFinished(std::chrono::milliseconds bound)
    {
        std::unique_lock lock(Mutex);
        return Changed.wait_for(lock, bound, [this] { return Finished; });
    }

    const uint16_t Port;
    const TPortMapperOptions Options;
    int Wake[2];
    mutable std::mutex Mutex;
    std::condition_variable Changed;
    bool Stop = false;
    bool Finished = false;
    TPortMappingState Current;
};

} // namespace

struct TPortMapper::TImpl {
    std::shared_ptr<TWork> Work;
    std::thread Thread;
};

TPortMapper::TPortMapper(uint16_t localPort, TPortMapperOptions options)
    : FImpl(std::make_unique<TImpl>())
{
    FImpl->Work = std::make_shared<TWork>(localPort, std::move(options));
    FImpl->Thread = std::thread([work = FImpl->Work] { work->Run(); });
}

TPortMapper::~TPortMapper()
{
    FImpl->Work->RequestStop();
    // A router that stopped answering mid-call (miniupnpc waits seconds for one) must not hold the program:
    // the thread then ends on its own, and a mapping it still makes runs out with its lease.
    if (FImpl->Work->AwaitFinished(StopBound))
        FImpl->Thread.join();
    else
        FImpl->Thread.detach();
}

TPortMappingState TPortMapper::State() const
{
    const std::lock_guard lock(FImpl->Work->Mutex);
    return FImpl->Work->Current;
}
