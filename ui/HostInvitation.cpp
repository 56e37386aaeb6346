#include "ui/HostInvitation.h"

namespace {

QString Code(const THostInvitation& invitation)
{
    return QString::fromStdString(invitation.Code);
}

} // namespace

QString THostInvitation::JoinAddress() const
{
    if (Mapping.Kind != TPortMappingState::Mapped || Mapping.ExternalAddress.empty())
        return {};
    return QStringLiteral("%1:%2").arg(QString::fromStdString(Mapping.ExternalAddress)).arg(Mapping.ExternalPort);
}

QString THostTexts::Explanation(const THostInvitation& invitation)
{
    if (invitation.Open())
        return tr("Offenes Rennen: jeder, der den UDP-Port %1 dieses Rechners erreicht, kann ohne Code beitreten, "
                  "etwa im selben Netz bei einer LAN-Party.")
            .arg(invitation.Port);
    if (!invitation.RouterAsked)
        return tr("Der Router wird nicht gefragt. Ist dein Freund nicht im selben Netz, leite am Router den UDP-Port %1 "
                  "von Hand an diesen Rechner weiter. Gib ihm deine Adresse im Internet mit :%1 und den Code.")
            .arg(invitation.Port);
    switch (invitation.Mapping.Kind) {
    case TPortMappingState::Asking:
        return tr("Frage den Router nach einer Portweiterleitung …");
    case TPortMappingState::Mapped:
        if (invitation.JoinAddress().isEmpty())
            return tr("Der Router leitet den UDP-Port %1 an diesen Rechner weiter, nennt aber seine Adresse im "
                      "Internet nicht. Gib deinem Freund deine Adresse im Internet mit :%1 und den Code.")
                .arg(invitation.Mapping.ExternalPort);
        return tr("Der Router leitet den UDP-Port %1 an diesen Rechner weiter. Gib deinem Freund diese Adresse und "
                  "den Code:")
            .arg(invitation.Mapping.ExternalPort);
    case TPortMappingState::NoRouter:
        break;
    }
    return tr("Kein Router hat geantwortet. Leite am Router den UDP-Port %1 von Hand an diesen Rechner (Port %1) "
              "weiter und gib deinem Freund deine Adresse im Internet mit :%1 und den Code.")
        .arg(invitation.Port);
}

QStringList THostTexts::ConsoleLines(const THostInvitation& invitation)
{
    if (invitation.Open())
        return {tr("Offenes Rennen ohne Code: wer den UDP-Port %1 dieses Rechners erreicht, tritt bei.")
                    .arg(invitation.Port)};
    if (!invitation.Settled())
        return {};
    if (const QString address = invitation.JoinAddress(); !address.isEmpty())
        return {tr("Gib deinem Freund: %1  Code %2").arg(address, Code(invitation))};
    QStringList lines;
    if (invitation.Mapping.Kind == TPortMappingState::Mapped)
        lines << tr("Der Router leitet den UDP-Port %1 an diesen Rechner weiter (lokaler Port %2).")
                     .arg(invitation.Mapping.ExternalPort)
                     .arg(invitation.Port);
    else if (invitation.RouterAsked)
        lines << tr("Kein Router hat geantwortet: leite den UDP-Port %1 von Hand an diesen Rechner weiter (lokaler "
                    "Port %1).")
                     .arg(invitation.Port);
    else
        lines << tr("Router nicht gefragt: leite den UDP-Port %1 bei Bedarf von Hand an diesen Rechner weiter "
                    "(lokaler Port %1).")
                     .arg(invitation.Port);
    const uint16_t port = invitation.Mapping.Kind == TPortMappingState::Mapped ? invitation.Mapping.ExternalPort
                                                                               : invitation.Port;
    lines << tr("Gib deinem Freund: deine Adresse im Internet:%1  Code %2").arg(port).arg(Code(invitation));
    return lines;
}

QString THostTexts::ClipboardText(const THostInvitation& invitation)
{
    if (invitation.Open())
        return {};
    if (const QString address = invitation.JoinAddress(); !address.isEmpty())
        return tr("%1  Code %2").arg(address, Code(invitation));
    return tr("Code %1").arg(Code(invitation));
}

QString THostTexts::WaitingText(const THostInvitation& invitation)
{
    if (invitation.Open())
        return QCoreApplication::translate("TOnlineRace", "Warte auf den zweiten Spieler (UDP-Port %1) ...")
            .arg(invitation.Port);
    QString address = invitation.JoinAddress();
    if (address.isEmpty())
        address = tr("UDP-Port %1").arg(invitation.Port);
    return tr("Warte auf den zweiten Spieler: %1, Code %2 ...").arg(address, Code(invitation));
}
