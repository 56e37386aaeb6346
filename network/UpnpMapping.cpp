// UPnP IGD through miniupnpc: discovery by SSDP, then SOAP calls to the device's control URL.
#include "network/RouterMapping.h"

#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>

#include <array>
#include <charconv>
#include <string>

namespace {

constexpr int DiscoveryMilliseconds = 1500;
// The ports tried beyond the local one when the router's own choice is not to be had.
constexpr uint16_t OtherPortsTried = 4;
// UPnP's errors that make us ask differently.
constexpr int ConflictInMappingEntry = 718;
constexpr int OnlyPermanentLeasesSupported = 725;

constexpr char Description[] = "QuiboTrainer";

class TUpnpMapping final : public IRouterMapping {
public:
    TUpnpMapping(const UPNPUrls& urls, const IGDdatas& data, const char* lanAddress, uint16_t localPort)
        : FUrls(urls), FData(data), FLanAddress(lanAddress), FLocalPort(std::to_string(localPort))
    {
    }
    ~TUpnpMapping() override { FreeUPNPUrls(&FUrls); }
    TUpnpMapping(const TUpnpMapping&) = delete;
    TUpnpMapping& operator=(const TUpnpMapping&) = delete;

    bool Ask(uint16_t localPort)
    {
        std::array<char, 40> address{};
        if (UPNP_GetExternalIPAddress(FUrls.controlURL, FData.first.servicetype, address.data()) == UPNPCOMMAND_SUCCESS)
            FLease.ExternalAddress = address.data();
        // Another machine of the home may hold the same port outside: then the router's choice, else a few more.
        int result = Add(localPort);
        if (result != ConflictInMappingEntry)
            return result == UPNPCOMMAND_SUCCESS;
        std::array<char, 6> reserved{};
        if (UPNP_AddAnyPortMapping(FUrls.controlURL, FData.first.servicetype, FLocalPort.c_str(), FLocalPort.c_str(),
                                   FLanAddress.c_str(), Description, "UDP", nullptr, LeaseText().c_str(),
                                   reserved.data()) == UPNPCOMMAND_SUCCESS) {
            uint16_t port = 0;
            std::from_chars(reserved.data(), reserved.data() + reserved.size(), port);
            FLease.ExternalPort = port;
            return port != 0;
        }
        for (uint16_t other = 1; other <= OtherPortsTried && localPort + other <= 65535; ++other)
            if (Add(static_cast<uint16_t>(localPort + other)) == UPNPCOMMAND_SUCCESS)
                return true;
        return false;
    }

    const TRouterLease& Lease() const override { return FLease; }
    // The same mapping asked again from the same machine only moves its lease on.
    bool Renew() override { return Add(FLease.ExternalPort) == UPNPCOMMAND_SUCCESS; }
    void Remove() override
    {
        UPNP_DeletePortMapping(FUrls.controlURL, FData.first.servicetype, std::to_string(FLease.ExternalPort).c_str(),
                               "UDP", nullptr);
    }

private:
    int Add(uint16_t externalPort)
    {
        const std::string external = std::to_string(externalPort);
        int result = UPNP_AddPortMapping(FUrls.controlURL, FData.first.servicetype, external.c_str(),
                                         FLocalPort.c_str(), FLanAddress.c_str(), Description, "UDP", nullptr,
                                         LeaseText().c_str());
        if (result == OnlyPermanentLeasesSupported && FLease.Seconds != 0) {
            FLease.Seconds = 0;
            result = UPNP_AddPortMapping(FUrls.controlURL, FData.first.servicetype, external.c_str(),
                                         FLocalPort.c_str(), FLanAddress.c_str(), Description, "UDP", nullptr, "0");
        }
        if (result == UPNPCOMMAND_SUCCESS)
            FLease.ExternalPort = externalPort;
        return result;
    }
    std::string LeaseText() const { return std::to_string(FLease.Seconds); }

    UPNPUrls FUrls;
    IGDdatas FData;
    std::string FLanAddress;
    std::string FLocalPort;
    TRouterLease FLease{{}, 0, RequestedLeaseSeconds};
};

} // namespace

std::unique_ptr<IRouterMapping> AskUpnp(uint16_t localPort)
{
    // Every kind searched for at once and the answers awaited once: upnpDiscover waits its delay for each.
    static const char* const kinds[] = {"urn:schemas-upnp-org:device:InternetGatewayDevice:1",
                                        "urn:schemas-upnp-org:device:InternetGatewayDevice:2",
                                        "urn:schemas-upnp-org:service:WANIPConnection:1",
                                        "urn:schemas-upnp-org:service:WANIPConnection:2",
                                        "urn:schemas-upnp-org:service:WANPPPConnection:1", nullptr};
    int error = 0;
    UPNPDev* devices = upnpDiscoverDevices(kinds, DiscoveryMilliseconds, nullptr, nullptr, UPNP_LOCAL_PORT_ANY, 0, 2,
                                           &error, 1);
    if (devices == nullptr)
        return nullptr;
    UPNPUrls urls{};
    IGDdatas data{};
    std::array<char, 64> lanAddress{};
#if MINIUPNPC_API_VERSION >= 18
    std::array<char, 64> wanAddress{};
    const int found = UPNP_GetValidIGD(devices, &urls, &data, lanAddress.data(), lanAddress.size(), wanAddress.data(),
                                       wanAddress.size());
#else
    const int found = UPNP_GetValidIGD(devices, &urls, &data, lanAddress.data(), lanAddress.size());
#endif
    freeUPNPDevlist(devices);
    if (found == 0)
        return nullptr;
    auto mapping = std::make_unique<TUpnpMapping>(urls, data, lanAddress.data(), localPort);
    // 1: a connected gateway; 2: one that says it is not connected, which many say wrongly (behind another
    // router, say): it may forward all the same. 3: some other UPnP device.
    if ((found != 1 && found != 2) || !mapping->Ask(localPort))
        return nullptr;
    return mapping;
}
