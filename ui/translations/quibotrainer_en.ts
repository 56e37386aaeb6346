<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de_DE">
<context>
    <name>THostDialog</name>
    <message>
        <source>Online-Rennen als Gastgeber</source>
        <translation>Hosting an online race</translation>
    </message>
    <message>
        <source>Adresse:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Code:</source>
        <translation>Code:</translation>
    </message>
    <message>
        <source>Adresse und Code kopieren</source>
        <translation>Copy address and code</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Code kopieren</source>
        <translation>Copy code</translation>
    </message>
</context>
<context>
    <name>THostTexts</name>
    <message>
        <source>Offenes Rennen: jeder, der den UDP-Port %1 dieses Rechners erreicht, kann ohne Code beitreten, etwa im selben Netz bei einer LAN-Party.</source>
        <translation>Open race: anyone who reaches UDP port %1 of this computer can join without a code, such as on the same network at a LAN party.</translation>
    </message>
    <message>
        <source>Der Router wird nicht gefragt. Ist dein Freund nicht im selben Netz, leite am Router den UDP-Port %1 von Hand an diesen Rechner weiter. Gib ihm deine Adresse im Internet mit :%1 und den Code.</source>
        <translation>The router is not asked. If your friend is not on the same network, forward UDP port %1 on the router to this computer by hand. Give them your internet address with :%1 and the code.</translation>
    </message>
    <message>
        <source>Frage den Router nach einer Portweiterleitung …</source>
        <translation>Asking the router to forward a port …</translation>
    </message>
    <message>
        <source>Der Router leitet den UDP-Port %1 an diesen Rechner weiter, nennt aber seine Adresse im Internet nicht. Gib deinem Freund deine Adresse im Internet mit :%1 und den Code.</source>
        <translation>The router forwards UDP port %1 to this computer but does not tell its internet address. Give your friend your internet address with :%1 and the code.</translation>
    </message>
    <message>
        <source>Der Router leitet den UDP-Port %1 an diesen Rechner weiter. Gib deinem Freund diese Adresse und den Code:</source>
        <translation>The router forwards UDP port %1 to this computer. Give your friend this address and the code:</translation>
    </message>
    <message>
        <source>Kein Router hat geantwortet. Leite am Router den UDP-Port %1 von Hand an diesen Rechner (Port %1) weiter und gib deinem Freund deine Adresse im Internet mit :%1 und den Code.</source>
        <translation>No router answered. Forward UDP port %1 on the router to this computer (port %1) by hand and give your friend your internet address with :%1 and the code.</translation>
    </message>
    <message>
        <source>Offenes Rennen ohne Code: wer den UDP-Port %1 dieses Rechners erreicht, tritt bei.</source>
        <translation>Open race without a code: whoever reaches UDP port %1 of this computer joins.</translation>
    </message>
    <message>
        <source>Gib deinem Freund: %1  Code %2</source>
        <translation>Give your friend: %1  code %2</translation>
    </message>
    <message>
        <source>Der Router leitet den UDP-Port %1 an diesen Rechner weiter (lokaler Port %2).</source>
        <translation>The router forwards UDP port %1 to this computer (local port %2).</translation>
    </message>
    <message>
        <source>Kein Router hat geantwortet: leite den UDP-Port %1 von Hand an diesen Rechner weiter (lokaler Port %1).</source>
        <translation>No router answered: forward UDP port %1 to this computer by hand (local port %1).</translation>
    </message>
    <message>
        <source>Router nicht gefragt: leite den UDP-Port %1 bei Bedarf von Hand an diesen Rechner weiter (lokaler Port %1).</source>
        <translation>Router not asked: if need be, forward UDP port %1 to this computer by hand (local port %1).</translation>
    </message>
    <message>
        <source>Gib deinem Freund: deine Adresse im Internet:%1  Code %2</source>
        <translation>Give your friend: your internet address:%1  code %2</translation>
    </message>
    <message>
        <source>%1  Code %2</source>
        <translation>%1  code %2</translation>
    </message>
    <message>
        <source>Code %1</source>
        <translation>code %1</translation>
    </message>
    <message>
        <source>UDP-Port %1</source>
        <translation>UDP port %1</translation>
    </message>
    <message>
        <source>Warte auf den zweiten Spieler: %1, Code %2 ...</source>
        <translation>Waiting for the second player: %1, code %2 ...</translation>
    </message>
</context>
<context>
    <name>TJoinDialog</name>
    <message>
        <source>Online-Rennen beitreten</source>
        <translation>Join an online race</translation>
    </message>
    <message>
        <source>Rechner des Gastgebers (Name oder Adresse, wahlweise mit :Port, sonst %1):</source>
        <translation>The host&apos;s machine (name or address, optionally with :port, else %1):</translation>
    </message>
    <message>
        <source>Beitreten</source>
        <translation>Join</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Code des Rennens (leer bei einem offenen Rennen):</source>
        <translation>The race’s code (empty for an open race):</translation>
    </message>
    <message>
        <source>Einem Online-Rennen zuschauen</source>
        <translation>Watch an online race</translation>
    </message>
    <message>
        <source>Zuschauen</source>
        <translation>Watch</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Neustart (F3)</source>
        <translation>Restart (F3)</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Stop (Pause)</source>
        <translation>Stop (Pause)</translation>
    </message>
    <message>
        <source>Play (Pause)</source>
        <translation>Play (Pause)</translation>
    </message>
    <message>
        <source>Steuerung des roten Quibo&apos;s: [Y] ... Pinne nach Backbord, [X] ... Pinne nach Steuerbord</source>
        <translation>Steering the red Quibo: [Y] ... tiller to port, [X] ... tiller to starboard</translation>
    </message>
    <message>
        <source>Steuerung des grünen Quibo&apos;s: [&lt;-] ... Pinne nach Backbord, [-&gt;] ... Pinne nach Steuerbord</source>
        <translation>Steering the green Quibo: [&lt;-] ... tiller to port, [-&gt;] ... tiller to starboard</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Regatta</source>
        <translation>Regatta</translation>
    </message>
    <message>
        <source>Ton aus</source>
        <translation>Sound off</translation>
    </message>
    <message>
        <source>Ton an</source>
        <translation>Sound on</translation>
    </message>
    <message>
        <source>Demo – eine Taste beendet sie</source>
        <translation>Demo – any key ends it</translation>
    </message>
</context>
<context>
    <name>TOnlineRace</name>
    <message>
        <source>Warte auf den zweiten Spieler (UDP-Port %1) ...</source>
        <translation>Waiting for the second player (UDP port %1) ...</translation>
    </message>
    <message>
        <source>Verbinde mit %1 ...</source>
        <translation>Connecting to %1 ...</translation>
    </message>
    <message>
        <source>Warte auf den anderen Rechner ...</source>
        <translation>Waiting for the other machine ...</translation>
    </message>
    <message>
        <source>Pause: das Fenster des anderen Spielers ist nicht aktiv</source>
        <translation>Paused: the other player&apos;s window is not active</translation>
    </message>
    <message>
        <source>Der andere Spieler hat das Rennen verlassen. Das Rennen geht auf diesem Rechner weiter.</source>
        <translation>The other player has left the race. The race goes on on this machine.</translation>
    </message>
    <message>
        <source>Vom anderen Rechner kommt seit 5 Sekunden nichts mehr. Das Rennen geht auf diesem Rechner weiter.</source>
        <translation>Nothing has come from the other machine for 5 seconds. The race goes on on this machine.</translation>
    </message>
    <message>
        <source>Das Rennen ist auf beiden Rechnern nach Takt %1 nicht mehr gleich und wurde angehalten.</source>
        <translation>The race is no longer the same on both machines after tick %1 and has been stopped.</translation>
    </message>
    <message>
        <source>race full: Im Rennen auf %1 fahren schon zwei Spieler.</source>
        <translation>race full: two players are already racing on %1.</translation>
    </message>
    <message>
        <source>Der Gastgeber hat QuiboTrainer %1, dieser Rechner QuiboTrainer %2: beide brauchen dieselbe Version.</source>
        <translation>The host runs QuiboTrainer %1, this machine QuiboTrainer %2: both need the same version.</translation>
    </message>
    <message>
        <source>%1 lässt sich nicht schreiben.</source>
        <translation>%1 cannot be written.</translation>
    </message>
    <message>
        <source>Ungültiger Port: %1</source>
        <translation>Invalid port: %1</translation>
    </message>
    <message>
        <source>Ungültige Adresse: %1</source>
        <translation>Invalid address: %1</translation>
    </message>
    <message>
        <source>Der UDP-Port %1 lässt sich nicht öffnen.</source>
        <translation>UDP port %1 cannot be opened.</translation>
    </message>
    <message>
        <source>Der Name %1 lässt sich nicht auflösen.</source>
        <translation>The name %1 cannot be resolved.</translation>
    </message>
    <message>
        <source>Keine Verbindung zu %1 möglich.</source>
        <translation>No connection to %1 possible.</translation>
    </message>
    <message>
        <source>Ein Spieler mit falschem Code wurde abgewiesen.</source>
        <translation>A player with a wrong code was turned away.</translation>
    </message>
    <message>
        <source>Keine Antwort von %1. Stimmen Adresse und Port? Ist der Gastgeber hinter einem Router, muss sein UDP-Port dort vielleicht an seinen Rechner weitergeleitet werden.</source>
        <translation>No answer from %1. Are the address and port right? If the host is behind a router, its UDP port may need to be forwarded there to the host’s computer.</translation>
    </message>
    <message>
        <source>Der Gastgeber auf %1 hat den Code abgelehnt. Frag ihn nach dem Code, den sein Fenster zeigt, und tritt damit noch einmal bei.</source>
        <translation>The host on %1 refused the code. Ask the host for the code its window shows and join again with it.</translation>
    </message>
    <message>
        <source>Du schaust zu – %1,%2 s hinter dem Rennen</source>
        <extracomment>%1 whole seconds, %2 tenths: the decimal separator between them is the language&apos;s.</extracomment>
        <translation>You are watching – %1.%2 s behind the race</translation>
    </message>
    <message>
        <source>Zuschauer: %1</source>
        <translation>Spectators: %1</translation>
    </message>
    <message>
        <source>Dem Rennen auf %1 schauen schon %2 Zuschauer zu; mehr haben keinen Platz.</source>
        <translation>%2 spectators already watch the race on %1; there is no room for more.</translation>
    </message>
</context>
<context>
    <name>TPadControl</name>
    <message>
        <source>Controller 1 verbunden: er steuert den grünen Quibo</source>
        <translation>Controller 1 connected: it steers the green Quibo</translation>
    </message>
    <message>
        <source>Controller 2 verbunden: er steuert den roten Quibo</source>
        <translation>Controller 2 connected: it steers the red Quibo</translation>
    </message>
    <message>
        <source>Controller 1 getrennt: den grünen Quibo steuert die Tastatur</source>
        <translation>Controller 1 disconnected: the keyboard steers the green Quibo</translation>
    </message>
    <message>
        <source>Controller 2 getrennt: den roten Quibo steuert die Tastatur</source>
        <translation>Controller 2 disconnected: the keyboard steers the red Quibo</translation>
    </message>
</context>
<context>
    <name>TProgramHelp</name>
    <message>
        <source>nur als erstes Argument: Kollisionsumrisse, ein Mausklick zeigt den Pixelwert</source>
        <translation>as the first argument only: collision outlines, a mouse click shows the pixel value</translation>
    </message>
    <message>
        <source>eröffnet ein Online-Rennen am UDP-Port PORT (ohne Angabe %1)</source>
        <translation>opens an online race on UDP port PORT (%1 when left out)</translation>
    </message>
    <message>
        <source>--join [RECHNER[:PORT]]</source>
        <translation>--join [HOST[:PORT]]</translation>
    </message>
    <message>
        <source>--record DATEI</source>
        <translation>--record FILE</translation>
    </message>
    <message>
        <source>schreibt das Online-Rennen in DATEI, als Skript für replay_race</source>
        <translation>writes the online race to FILE, as a script for replay_race</translation>
    </message>
    <message>
        <source>zeigt diese Hilfe und endet</source>
        <translation>shows this help and exits</translation>
    </message>
    <message>
        <source>zeigt die Version und endet</source>
        <translation>shows the version and exits</translation>
    </message>
    <message>
        <source>Aufruf: %1 [DEBUG] [OPTION …]</source>
        <translation>Usage: %1 [DEBUG] [OPTION …]</translation>
    </message>
    <message>
        <source>Segeltrainer für zwei Spieler an einer Tastatur.</source>
        <translation>Sailing trainer for two players at one keyboard.</translation>
    </message>
    <message>
        <source>Optionen:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>„%1 --help“ nennt alle Optionen.</source>
        <translation>&quot;%1 --help&quot; lists every option.</translation>
    </message>
    <message>
        <source>startet ohne Ton; die Taste M schaltet ihn aus und an</source>
        <translation>starts without sound; the key M switches it off and on</translation>
    </message>
    <message>
        <source>zeigt Regatta um Regatta, beide Jollen vom Computer gesegelt; eine Taste beendet sie</source>
        <translation>races regatta after regatta, both dinghies sailed by the computer; a key ends it</translation>
    </message>
    <message>
        <source>tritt dem Online-Rennen auf RECHNER bei; ohne Adresse oder Code fragt ein Dialog</source>
        <translation>joins the online race on HOST; without an address or a code a dialog asks for them</translation>
    </message>
    <message>
        <source>nur mit --host: ein offenes Rennen ohne Code, jeder, der den Port erreicht, tritt bei (LAN-Party)</source>
        <translation>only with --host: an open race without a code; anyone who reaches the port joins (LAN party)</translation>
    </message>
    <message>
        <source>nur mit --host: fragt den Router nicht nach einer Portweiterleitung</source>
        <translation>only with --host: does not ask the router to forward the port</translation>
    </message>
    <message>
        <source>--watch [RECHNER[:PORT]]</source>
        <translation>--watch [HOST[:PORT]]</translation>
    </message>
    <message>
        <source>schaut dem Online-Rennen auf RECHNER zu, ohne zu steuern; ohne Adresse oder Code fragt ein Dialog</source>
        <translation>watches the online race on HOST without steering; without an address or a code a dialog asks for them</translation>
    </message>
    <message>
        <source>der Code des Rennens: für --join und --watch der erhaltene, für --host ein eigener statt eines zufälligen</source>
        <translation>the race’s code: for --join and --watch the one you were given, for --host your own instead of a random one</translation>
    </message>
</context>
<context>
    <name>TRegattaDialog</name>
    <message>
        <source>Runden:</source>
        <translation>Laps:</translation>
    </message>
    <message>
        <source>Regeln:</source>
        <translation>Rules:</translation>
    </message>
    <message>
        <source>Grün steuert:</source>
        <translation>Green helm:</translation>
    </message>
    <message>
        <source>Rot steuert:</source>
        <translation>Red helm:</translation>
    </message>
    <message>
        <source>Quibo Trainer Regatta</source>
        <translation>Quibo Trainer Regatta</translation>
    </message>
    <message>
        <source>Strafdrehungen</source>
        <translation>Penalty turns</translation>
    </message>
    <message>
        <source>Klassisch (Explosion)</source>
        <translation>Classic (explosion)</translation>
    </message>
    <message>
        <source>Spieler</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>Computer 1 (Anfänger)</source>
        <translation>Computer 1 (beginner)</translation>
    </message>
    <message>
        <source>Computer %1</source>
        <translation>Computer %1</translation>
    </message>
    <message>
        <source>Computer 5 (Regattasegler)</source>
        <translation>Computer 5 (club racer)</translation>
    </message>
    <message>
        <source>Freies Segeln</source>
        <translation>Free sailing</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
</context>
<context>
    <name>TRegattaTexts</name>
    <message>
        <source>Start!</source>
        <translation>Start!</translation>
    </message>
    <message>
        <source>Früh!</source>
        <translation>Early!</translation>
    </message>
    <message>
        <source>Grün</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Rot</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Regel 10: Backbordbug hält sich frei</source>
        <translation>Rule 10: port tack keeps clear</translation>
    </message>
    <message>
        <source>Regel 11: Luv hält sich frei</source>
        <translation>Rule 11: windward keeps clear</translation>
    </message>
    <message>
        <source>Regel 12: klar Achteraus hält sich frei</source>
        <translation>Rule 12: clear astern keeps clear</translation>
    </message>
    <message>
        <source>Regel 13: wer wendet, hält sich frei</source>
        <translation>Rule 13: a dinghy tacking keeps clear</translation>
    </message>
    <message>
        <source>Regel 31: Tonne berührt</source>
        <translation>Rule 31: touched a mark</translation>
    </message>
    <message>
        <source>Start in %1 s</source>
        <translation>Start in %1 s</translation>
    </message>
    <message>
        <source>%1 ist zu früh gestartet</source>
        <translation>%1 started early</translation>
    </message>
    <message>
        <source>%1 ist gestartet</source>
        <translation>%1 has started</translation>
    </message>
    <message>
        <source>%1: Tonne gerundet (Runde %2)</source>
        <translation>%1: mark rounded (lap %2)</translation>
    </message>
    <message>
        <source>%1: Runde %2 in %3</source>
        <translation>%1: lap %2 in %3</translation>
    </message>
    <message>
        <source>%1: Strafe 1 Drehung – %2</source>
        <translation>%1: penalty 1 turn – %2</translation>
    </message>
    <message>
        <source>%1: Strafe %2 Drehungen – %3</source>
        <translation>%1: penalty %2 turns – %3</translation>
    </message>
    <message>
        <source>%1 hat die Strafe abgesegelt</source>
        <translation>%1 has taken the penalty</translation>
    </message>
    <message>
        <source>%1 ist ausgeschieden</source>
        <translation>%1 is out</translation>
    </message>
    <message>
        <source>%1 im Ziel: Platz %2, %3</source>
        <translation>%1 finished: place %2, %3</translation>
    </message>
    <message>
        <source>Regatta beendet: Neustart (F3) segelt sie noch einmal, F5 wählt eine neue</source>
        <translation>Regatta over: Restart (F3) sails it again, F5 chooses a new one</translation>
    </message>
    <message>
        <source>Ergebnis – Runden: %1, %2</source>
        <translation>Result – laps: %1, %2</translation>
    </message>
    <message>
        <source>Strafdrehungen</source>
        <translation>Penalty turns</translation>
    </message>
    <message>
        <source>Klassisch (Explosion)</source>
        <translation>Classic (explosion)</translation>
    </message>
    <message>
        <source>Kein Sieger</source>
        <translation>No winner</translation>
    </message>
    <message>
        <source>%1. %2: %3</source>
        <translation>%1. %2: %3</translation>
    </message>
    <message>
        <source>%1: ausgeschieden</source>
        <translation>%1: out</translation>
    </message>
    <message>
        <source>Runden: %1</source>
        <translation>Laps: %1</translation>
    </message>
    <message>
        <source>Strafen: %1</source>
        <translation>Penalties: %1</translation>
    </message>
    <message>
        <source>Beste Runde: %1, Runde %2, %3</source>
        <translation>Best lap: %1, lap %2, %3</translation>
    </message>
</context>
<context>
    <name>TSetupForm</name>
    <message>
        <source>Windrichtung in Grad:</source>
        <translation>Wind direction in degrees:</translation>
    </message>
    <message>
        <source>Windgeschwindigkeit in Knoten:</source>
        <translation>Wind speed in knots:</translation>
    </message>
    <message>
        <source>Zufällige Windabweichung in Grad:</source>
        <translation>Random wind shift in degrees:</translation>
    </message>
    <message>
        <source>Quibo Trainer Einstellungen</source>
        <translation>Quibo Trainer Settings</translation>
    </message>
    <message>
        <source>&amp;Fertig</source>
        <translation>&amp;Done</translation>
    </message>
    <message>
        <source>Zufällige Windrichtung:</source>
        <translation>Random wind direction:</translation>
    </message>
</context>
</TS>
