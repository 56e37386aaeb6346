#include "ui/HostDialog.h"
#include "ui/JoinDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

THostInvitation Invitation(bool routerAsked, TPortMappingState::TKind kind, const char* address,
                           const char* code = "K7P-2QX")
{
    THostInvitation invitation{29750, code, routerAsked, {}};
    const uint16_t external = kind == TPortMappingState::Mapped ? 40000 : 0;
    invitation.Mapping = {kind, TPortMappingState::None, address, external, 29750};
    return invitation;
}

// Each thing the router may have answered shows what to do, the address where there is one, and the code; the
// copy button copies what the friend needs, and standard output says it once the answer is in.
TEST(HostDialog, ShowsWhatTheRouterAnsweredTheAddressAndTheCode)
{
    const struct {
        const char* Case;
        THostInvitation Invitation;
        const char* Explains;   // a part of the explanation
        const char* Address;    // shown, empty: hidden
        const char* Clipboard;  // empty: no copy button
        QStringList Console;
    } cases[] = {
        {"asking", Invitation(true, TPortMappingState::Asking, ""), "Frage den Router", "", "Code K7P-2QX", {}},
        {"mapped", Invitation(true, TPortMappingState::Mapped, "198.51.100.1"), "UDP-Port 40000", "198.51.100.1:40000",
         "198.51.100.1:40000  Code K7P-2QX", {"Gib deinem Freund: 198.51.100.1:40000  Code K7P-2QX"}},
        {"mapped, no address told", Invitation(true, TPortMappingState::Mapped, ""), "nennt aber seine Adresse", "",
         "Code K7P-2QX",
         {"Der Router leitet den UDP-Port 40000 an diesen Rechner weiter (lokaler Port 29750).",
          "Gib deinem Freund: deine Adresse im Internet:40000  Code K7P-2QX"}},
        {"no router", Invitation(true, TPortMappingState::NoRouter, ""), "UDP-Port 29750 von Hand", "", "Code K7P-2QX",
         {"Kein Router hat geantwortet: leite den UDP-Port 29750 von Hand an diesen Rechner weiter (lokaler Port 29750).",
          "Gib deinem Freund: deine Adresse im Internet:29750  Code K7P-2QX"}},
        {"not asked", Invitation(false, TPortMappingState::Asking, ""), "Router wird nicht gefragt", "", "Code K7P-2QX",
         {"Router nicht gefragt: leite den UDP-Port 29750 bei Bedarf von Hand an diesen Rechner weiter (lokaler Port 29750).",
          "Gib deinem Freund: deine Adresse im Internet:29750  Code K7P-2QX"}},
        {"open", Invitation(false, TPortMappingState::Asking, "", ""), "ohne Code beitreten", "", "",
         {"Offenes Rennen ohne Code: wer den UDP-Port 29750 dieses Rechners erreicht, tritt bei."}},
    };
    THostDialog dialog;
    for (const auto& c : cases) {
        dialog.SetInvitation(c.Invitation);
        EXPECT_TRUE(dialog.Explanation->text().contains(QString::fromUtf8(c.Explains)))
            << c.Case << ": " << dialog.Explanation->text().toStdString();
        EXPECT_EQ(dialog.Address->isHidden(), *c.Address == '\0') << c.Case;
        EXPECT_EQ(dialog.Address->text(), QString::fromUtf8(c.Address)) << c.Case;
        EXPECT_EQ(dialog.Code->isHidden(), c.Invitation.Open()) << c.Case;
        EXPECT_EQ(dialog.Code->text(), QString::fromStdString(c.Invitation.Code)) << c.Case;
        EXPECT_EQ(THostTexts::ConsoleLines(c.Invitation), c.Console) << c.Case;
        EXPECT_EQ(dialog.CopyButton->isHidden(), *c.Clipboard == '\0') << c.Case;
        if (dialog.CopyButton->isHidden())
            continue;
        QApplication::clipboard()->clear();
        dialog.CopyButton->click();
        EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8(c.Clipboard)) << c.Case;
    }
}

// Beitreten only with an address and a code that reads as one, or none for an open race; the code arrives in
// its written form.
TEST(JoinDialog, JoinsOnlyWithAnAddressAndAValidOrEmptyCode)
{
    const struct {
        const char* Address;
        const char* Code;
        bool Enabled;
        const char* Written;
    } cases[] = {
        {"boat.example", "k7p2qx", true, "K7P-2QX"},  {"boat.example:4000", " K7P-2QX ", true, "K7P-2QX"},
        {"192.0.2.7", "", true, ""},                  {"192.0.2.7", "K7P-2Q", false, ""},
        {"192.0.2.7", "K7P-2QXX", false, ""},         {"192.0.2.7", "K0P-2QX", false, ""},
        {"192.0.2.7", "-", false, ""},                {"", "K7P-2QX", false, "K7P-2QX"},
        {"  ", "", false, ""},
    };
    TJoinDialog dialog("", "");
    for (const auto& c : cases) {
        dialog.AddressEdit->setText(QString::fromUtf8(c.Address));
        dialog.CodeEdit->setText(QString::fromUtf8(c.Code));
        EXPECT_EQ(dialog.JoinButton->isEnabled(), c.Enabled) << c.Address << " " << c.Code;
        EXPECT_EQ(dialog.Request().Code, c.Written) << c.Code;
        EXPECT_EQ(dialog.Request().Address, QString::fromUtf8(c.Address).trimmed().toStdString());
    }
}

// What the command line gave stands in the fields; the field still to fill has the focus.
TEST(JoinDialog, StartsWithTheCommandLineAndFocusesWhatIsMissing)
{
    const TJoinDialog withAddress("boat.example", "");
    EXPECT_EQ(withAddress.AddressEdit->text(), "boat.example");
    EXPECT_EQ(withAddress.focusWidget(), withAddress.CodeEdit);
    EXPECT_TRUE(withAddress.JoinButton->isEnabled()) << "an open race needs no code";
    const TJoinDialog withCode("", "K7P-2QX");
    EXPECT_EQ(withCode.CodeEdit->text(), "K7P-2QX");
    EXPECT_EQ(withCode.focusWidget(), withCode.AddressEdit);
    EXPECT_FALSE(withCode.JoinButton->isEnabled());
}

} // namespace
