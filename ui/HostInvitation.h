#pragma once
#include "network/PortMapping.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

// What a host gives the friend it races: where to join and the code, as far as the router has told.
struct THostInvitation {
    // The UDP port the race listens on, on this machine.
    uint16_t Port = 0;
    // The race code in its written form; empty for an open race.
    std::string Code;
    // Whether the router is asked for a port mapping at all (not with --no-port-mapping, nor for an open race).
    bool RouterAsked = false;
    TPortMappingState Mapping;

    bool Open() const { return Code.empty(); }
    // Nothing more to wait for: the router answered, or was never asked.
    bool Settled() const { return !RouterAsked || Mapping.Kind != TPortMappingState::Asking; }
    // "ADDRESS:PORT" on the internet when the router mapped the port and told its address; else empty.
    QString JoinAddress() const;
};

// The invitation in the player's words: for the host dialog, standard output and the status bar.
class THostTexts {
    Q_DECLARE_TR_FUNCTIONS(THostTexts)

public:
    // What happened and what to do about it: asking, mapped, no router, not asked, open.
    static QString Explanation(const THostInvitation& invitation);
    // The lines for standard output, one per fact; none while the router is being asked.
    static QStringList ConsoleLines(const THostInvitation& invitation);
    // What the copy button puts on the clipboard: the address and the code, or the code alone while the
    // address is not known; empty for an open race.
    static QString ClipboardText(const THostInvitation& invitation);
    // The status bar's notice while the race waits for the guest.
    static QString WaitingText(const THostInvitation& invitation);
};
