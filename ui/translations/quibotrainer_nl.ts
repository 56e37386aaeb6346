<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL" sourcelanguage="de_DE">
<context>
    <name>THostDialog</name>
    <message>
        <source>Online-Rennen als Gastgeber</source>
        <translation>Online race als gastheer</translation>
    </message>
    <message>
        <source>Adresse:</source>
        <translation>Adres:</translation>
    </message>
    <message>
        <source>Code:</source>
        <translation>Code:</translation>
    </message>
    <message>
        <source>Adresse und Code kopieren</source>
        <translation>Adres en code kopiëren</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Code kopieren</source>
        <translation>Code kopiëren</translation>
    </message>
</context>
<context>
    <name>THostTexts</name>
    <message>
        <source>Offenes Rennen: jeder, der den UDP-Port %1 dieses Rechners erreicht, kann ohne Code beitreten, etwa im selben Netz bei einer LAN-Party.</source>
        <translation>Open race: iedereen die UDP-poort %1 van deze computer bereikt, kan zonder code meedoen, bijvoorbeeld op hetzelfde netwerk tijdens een LAN-party.</translation>
    </message>
    <message>
        <source>Der Router wird nicht gefragt. Ist dein Freund nicht im selben Netz, leite am Router den UDP-Port %1 von Hand an diesen Rechner weiter. Gib ihm deine Adresse im Internet mit :%1 und den Code.</source>
        <translation>De router wordt niet gevraagd. Zit je vriend niet op hetzelfde netwerk, stuur dan UDP-poort %1 op de router met de hand door naar deze computer. Geef hem je internetadres met :%1 en de code.</translation>
    </message>
    <message>
        <source>Frage den Router nach einer Portweiterleitung …</source>
        <translation>De router wordt om een port forward gevraagd …</translation>
    </message>
    <message>
        <source>Der Router leitet den UDP-Port %1 an diesen Rechner weiter, nennt aber seine Adresse im Internet nicht. Gib deinem Freund deine Adresse im Internet mit :%1 und den Code.</source>
        <translation>De router stuurt UDP-poort %1 door naar deze computer, maar noemt zijn internetadres niet. Geef je vriend je internetadres met :%1 en de code.</translation>
    </message>
    <message>
        <source>Der Router leitet den UDP-Port %1 an diesen Rechner weiter. Gib deinem Freund diese Adresse und den Code:</source>
        <translation>De router stuurt UDP-poort %1 door naar deze computer. Geef je vriend dit adres en de code:</translation>
    </message>
    <message>
        <source>Kein Router hat geantwortet. Leite am Router den UDP-Port %1 von Hand an diesen Rechner (Port %1) weiter und gib deinem Freund deine Adresse im Internet mit :%1 und den Code.</source>
        <translation>Geen router heeft geantwoord. Stuur UDP-poort %1 op de router met de hand door naar deze computer (poort %1) en geef je vriend je internetadres met :%1 en de code.</translation>
    </message>
    <message>
        <source>Offenes Rennen ohne Code: wer den UDP-Port %1 dieses Rechners erreicht, tritt bei.</source>
        <translation>Open race zonder code: wie UDP-poort %1 van deze computer bereikt, doet mee.</translation>
    </message>
    <message>
        <source>Gib deinem Freund: %1  Code %2</source>
        <translation>Geef je vriend: %1  code %2</translation>
    </message>
    <message>
        <source>Der Router leitet den UDP-Port %1 an diesen Rechner weiter (lokaler Port %2).</source>
        <translation>De router stuurt UDP-poort %1 door naar deze computer (lokale poort %2).</translation>
    </message>
    <message>
        <source>Kein Router hat geantwortet: leite den UDP-Port %1 von Hand an diesen Rechner weiter (lokaler Port %1).</source>
        <translation>Geen router heeft geantwoord: stuur UDP-poort %1 met de hand door naar deze computer (lokale poort %1).</translation>
    </message>
    <message>
        <source>Router nicht gefragt: leite den UDP-Port %1 bei Bedarf von Hand an diesen Rechner weiter (lokaler Port %1).</source>
        <translation>Router niet gevraagd: stuur UDP-poort %1 zo nodig met de hand door naar deze computer (lokale poort %1).</translation>
    </message>
    <message>
        <source>Gib deinem Freund: deine Adresse im Internet:%1  Code %2</source>
        <translation>Geef je vriend: je internetadres:%1  code %2</translation>
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
        <translation>UDP-poort %1</translation>
    </message>
    <message>
        <source>Warte auf den zweiten Spieler: %1, Code %2 ...</source>
        <translation>Wachten op de tweede speler: %1, code %2 ...</translation>
    </message>
</context>
<context>
    <name>TJoinDialog</name>
    <message>
        <source>Online-Rennen beitreten</source>
        <translation>Meedoen aan een online race</translation>
    </message>
    <message>
        <source>Rechner des Gastgebers (Name oder Adresse, wahlweise mit :Port, sonst %1):</source>
        <translation>Computer van de gastheer (naam of adres, eventueel met :poort, anders %1):</translation>
    </message>
    <message>
        <source>Beitreten</source>
        <translation>Meedoen</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Code des Rennens (leer bei einem offenen Rennen):</source>
        <translation>Code van de race (leeg bij een open race):</translation>
    </message>
    <message>
        <source>Einem Online-Rennen zuschauen</source>
        <translation>Een online race bekijken</translation>
    </message>
    <message>
        <source>Zuschauen</source>
        <translation>Kijken</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Neustart (F3)</source>
        <translation>Herstart (F3)</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>Afsluiten</translation>
    </message>
    <message>
        <source>Stop (Pause)</source>
        <translation>Stop (Pause)</translation>
    </message>
    <message>
        <source>Play (Pause)</source>
        <translation>Start (Pause)</translation>
    </message>
    <message>
        <source>Steuerung des roten Quibo&apos;s: [Y] ... Pinne nach Backbord, [X] ... Pinne nach Steuerbord</source>
        <translation>Besturing van de rode Quibo: [Y] ... helmstok naar bakboord, [X] ... helmstok naar stuurboord</translation>
    </message>
    <message>
        <source>Steuerung des grünen Quibo&apos;s: [&lt;-] ... Pinne nach Backbord, [-&gt;] ... Pinne nach Steuerbord</source>
        <translation>Besturing van de groene Quibo: [&lt;-] ... helmstok naar bakboord, [-&gt;] ... helmstok naar stuurboord</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informatie</translation>
    </message>
    <message>
        <source>Regatta</source>
        <translation>Regatta</translation>
    </message>
    <message>
        <source>Ton aus</source>
        <translation>Geluid uit</translation>
    </message>
    <message>
        <source>Ton an</source>
        <translation>Geluid aan</translation>
    </message>
    <message>
        <source>Demo – eine Taste beendet sie</source>
        <translation>Demo – een toets beëindigt hem</translation>
    </message>
</context>
<context>
    <name>TOnlineRace</name>
    <message>
        <source>Warte auf den zweiten Spieler (UDP-Port %1) ...</source>
        <translation>Wachten op de tweede speler (UDP-poort %1) ...</translation>
    </message>
    <message>
        <source>Verbinde mit %1 ...</source>
        <translation>Verbinden met %1 ...</translation>
    </message>
    <message>
        <source>Warte auf den anderen Rechner ...</source>
        <translation>Wachten op de andere computer ...</translation>
    </message>
    <message>
        <source>Pause: das Fenster des anderen Spielers ist nicht aktiv</source>
        <translation>Pauze: het venster van de andere speler is niet actief</translation>
    </message>
    <message>
        <source>Der andere Spieler hat das Rennen verlassen. Das Rennen geht auf diesem Rechner weiter.</source>
        <translation>De andere speler heeft de race verlaten. De race gaat op deze computer verder.</translation>
    </message>
    <message>
        <source>Vom anderen Rechner kommt seit 5 Sekunden nichts mehr. Das Rennen geht auf diesem Rechner weiter.</source>
        <translation>Van de andere computer komt al 5 seconden niets meer. De race gaat op deze computer verder.</translation>
    </message>
    <message>
        <source>Das Rennen ist auf beiden Rechnern nach Takt %1 nicht mehr gleich und wurde angehalten.</source>
        <translation>De race is na tik %1 niet meer gelijk op beide computers en is gestopt.</translation>
    </message>
    <message>
        <source>race full: Im Rennen auf %1 fahren schon zwei Spieler.</source>
        <translation>race full: op %1 varen al twee spelers.</translation>
    </message>
    <message>
        <source>Der Gastgeber hat QuiboTrainer %1, dieser Rechner QuiboTrainer %2: beide brauchen dieselbe Version.</source>
        <translation>De gastheer heeft QuiboTrainer %1, deze computer QuiboTrainer %2: beide hebben dezelfde versie nodig.</translation>
    </message>
    <message>
        <source>%1 lässt sich nicht schreiben.</source>
        <translation>%1 kan niet worden geschreven.</translation>
    </message>
    <message>
        <source>Ungültiger Port: %1</source>
        <translation>Ongeldige poort: %1</translation>
    </message>
    <message>
        <source>Ungültige Adresse: %1</source>
        <translation>Ongeldig adres: %1</translation>
    </message>
    <message>
        <source>Der UDP-Port %1 lässt sich nicht öffnen.</source>
        <translation>UDP-poort %1 kan niet worden geopend.</translation>
    </message>
    <message>
        <source>Der Name %1 lässt sich nicht auflösen.</source>
        <translation>De naam %1 kan niet worden opgezocht.</translation>
    </message>
    <message>
        <source>Keine Verbindung zu %1 möglich.</source>
        <translation>Geen verbinding met %1 mogelijk.</translation>
    </message>
    <message>
        <source>Ein Spieler mit falschem Code wurde abgewiesen.</source>
        <translation>Een speler met een verkeerde code is geweigerd.</translation>
    </message>
    <message>
        <source>Keine Antwort von %1. Stimmen Adresse und Port? Ist der Gastgeber hinter einem Router, muss sein UDP-Port dort vielleicht an seinen Rechner weitergeleitet werden.</source>
        <translation>Geen antwoord van %1. Kloppen adres en poort? Zit de gastheer achter een router, dan moet zijn UDP-poort daar misschien naar zijn computer worden doorgestuurd.</translation>
    </message>
    <message>
        <source>Der Gastgeber auf %1 hat den Code abgelehnt. Frag ihn nach dem Code, den sein Fenster zeigt, und tritt damit noch einmal bei.</source>
        <translation>De gastheer op %1 heeft de code geweigerd. Vraag hem naar de code die zijn venster toont en doe daarmee opnieuw mee.</translation>
    </message>
    <message>
        <source>Du schaust zu – %1,%2 s hinter dem Rennen</source>
        <extracomment>%1 whole seconds, %2 tenths: the decimal separator between them is the language&apos;s.</extracomment>
        <translation>Je kijkt mee – %1,%2 s achter op de race</translation>
    </message>
    <message>
        <source>Zuschauer: %1</source>
        <translation>Toeschouwers: %1</translation>
    </message>
    <message>
        <source>Dem Rennen auf %1 schauen schon %2 Zuschauer zu; mehr haben keinen Platz.</source>
        <translation>Naar de race op %1 kijken al %2 toeschouwers; voor meer is geen plaats.</translation>
    </message>
</context>
<context>
    <name>TPadControl</name>
    <message>
        <source>Controller 1 verbunden: er steuert den grünen Quibo</source>
        <translation>Controller 1 verbonden: hij stuurt de groene Quibo</translation>
    </message>
    <message>
        <source>Controller 2 verbunden: er steuert den roten Quibo</source>
        <translation>Controller 2 verbonden: hij stuurt de rode Quibo</translation>
    </message>
    <message>
        <source>Controller 1 getrennt: den grünen Quibo steuert die Tastatur</source>
        <translation>Controller 1 losgekoppeld: het toetsenbord stuurt de groene Quibo</translation>
    </message>
    <message>
        <source>Controller 2 getrennt: den roten Quibo steuert die Tastatur</source>
        <translation>Controller 2 losgekoppeld: het toetsenbord stuurt de rode Quibo</translation>
    </message>
</context>
<context>
    <name>TProgramHelp</name>
    <message>
        <source>nur als erstes Argument: Kollisionsumrisse, ein Mausklick zeigt den Pixelwert</source>
        <translation>alleen als eerste argument: botsingscontouren, een muisklik toont de pixelwaarde</translation>
    </message>
    <message>
        <source>eröffnet ein Online-Rennen am UDP-Port PORT (ohne Angabe %1)</source>
        <translation>opent een online race op UDP-poort PORT (standaard %1)</translation>
    </message>
    <message>
        <source>--join [RECHNER[:PORT]]</source>
        <translation>--join [COMPUTER[:PORT]]</translation>
    </message>
    <message>
        <source>--record DATEI</source>
        <translation>--record BESTAND</translation>
    </message>
    <message>
        <source>schreibt das Online-Rennen in DATEI, als Skript für replay_race</source>
        <translation>schrijft de online race naar BESTAND, als script voor replay_race</translation>
    </message>
    <message>
        <source>zeigt diese Hilfe und endet</source>
        <translation>toont deze hulp en stopt</translation>
    </message>
    <message>
        <source>zeigt die Version und endet</source>
        <translation>toont de versie en stopt</translation>
    </message>
    <message>
        <source>Aufruf: %1 [DEBUG] [OPTION …]</source>
        <translation>Gebruik: %1 [DEBUG] [OPTIE …]</translation>
    </message>
    <message>
        <source>Segeltrainer für zwei Spieler an einer Tastatur.</source>
        <translation>Zeiltrainer voor twee spelers aan één toetsenbord.</translation>
    </message>
    <message>
        <source>Optionen:</source>
        <translation>Opties:</translation>
    </message>
    <message>
        <source>„%1 --help“ nennt alle Optionen.</source>
        <translation>&quot;%1 --help&quot; toont alle opties.</translation>
    </message>
    <message>
        <source>startet ohne Ton; die Taste M schaltet ihn aus und an</source>
        <translation>start zonder geluid; de toets M zet het uit en aan</translation>
    </message>
    <message>
        <source>zeigt Regatta um Regatta, beide Jollen vom Computer gesegelt; eine Taste beendet sie</source>
        <translation>toont regatta na regatta, beide jollen door de computer gezeild; een toets stopt het</translation>
    </message>
    <message>
        <source>tritt dem Online-Rennen auf RECHNER bei; ohne Adresse oder Code fragt ein Dialog</source>
        <translation>doet mee aan de online race op COMPUTER; zonder adres of code vraagt een dialoog erom</translation>
    </message>
    <message>
        <source>nur mit --host: ein offenes Rennen ohne Code, jeder, der den Port erreicht, tritt bei (LAN-Party)</source>
        <translation>alleen met --host: een open race zonder code; iedereen die de poort bereikt, doet mee (LAN-party)</translation>
    </message>
    <message>
        <source>nur mit --host: fragt den Router nicht nach einer Portweiterleitung</source>
        <translation>alleen met --host: vraagt de router niet om een port forward</translation>
    </message>
    <message>
        <source>--watch [RECHNER[:PORT]]</source>
        <translation>--watch [COMPUTER[:PORT]]</translation>
    </message>
    <message>
        <source>schaut dem Online-Rennen auf RECHNER zu, ohne zu steuern; ohne Adresse oder Code fragt ein Dialog</source>
        <translation>kijkt naar de online race op COMPUTER zonder te sturen; zonder adres of code vraagt een dialoog erom</translation>
    </message>
    <message>
        <source>der Code des Rennens: für --join und --watch der erhaltene, für --host ein eigener statt eines zufälligen</source>
        <translation>de code van de race: bij --join en --watch de ontvangen code, bij --host een eigen in plaats van een willekeurige</translation>
    </message>
</context>
<context>
    <name>TRegattaDialog</name>
    <message>
        <source>Runden:</source>
        <translation>Ronden:</translation>
    </message>
    <message>
        <source>Regeln:</source>
        <translation>Regels:</translation>
    </message>
    <message>
        <source>Grün steuert:</source>
        <translation>Groen stuurt:</translation>
    </message>
    <message>
        <source>Rot steuert:</source>
        <translation>Rood stuurt:</translation>
    </message>
    <message>
        <source>Quibo Trainer Regatta</source>
        <translation>Quibo Trainer Regatta</translation>
    </message>
    <message>
        <source>Strafdrehungen</source>
        <translation>Strafrondjes</translation>
    </message>
    <message>
        <source>Klassisch (Explosion)</source>
        <translation>Klassiek (explosie)</translation>
    </message>
    <message>
        <source>Spieler</source>
        <translation>Speler</translation>
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
        <translation>Computer 5 (clubzeiler)</translation>
    </message>
    <message>
        <source>Freies Segeln</source>
        <translation>Vrij zeilen</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuleren</translation>
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
        <translation>Te vroeg!</translation>
    </message>
    <message>
        <source>Grün</source>
        <translation>Groen</translation>
    </message>
    <message>
        <source>Rot</source>
        <translation>Rood</translation>
    </message>
    <message>
        <source>Regel 10: Backbordbug hält sich frei</source>
        <translation>Regel 10: bakboord wijkt</translation>
    </message>
    <message>
        <source>Regel 11: Luv hält sich frei</source>
        <translation>Regel 11: loefzijde wijkt</translation>
    </message>
    <message>
        <source>Regel 12: klar Achteraus hält sich frei</source>
        <translation>Regel 12: vrij achter wijkt</translation>
    </message>
    <message>
        <source>Regel 13: wer wendet, hält sich frei</source>
        <translation>Regel 13: wie overstag gaat, wijkt</translation>
    </message>
    <message>
        <source>Regel 31: Tonne berührt</source>
        <translation>Regel 31: boei geraakt</translation>
    </message>
    <message>
        <source>Start in %1 s</source>
        <translation>Start over %1 s</translation>
    </message>
    <message>
        <source>%1 ist zu früh gestartet</source>
        <translation>%1 is te vroeg gestart</translation>
    </message>
    <message>
        <source>%1 ist gestartet</source>
        <translation>%1 is gestart</translation>
    </message>
    <message>
        <source>%1: Tonne gerundet (Runde %2)</source>
        <translation>%1: boei gerond (ronde %2)</translation>
    </message>
    <message>
        <source>%1: Runde %2 in %3</source>
        <translation>%1: ronde %2 in %3</translation>
    </message>
    <message>
        <source>%1: Strafe 1 Drehung – %2</source>
        <translation>%1: straf 1 rondje – %2</translation>
    </message>
    <message>
        <source>%1: Strafe %2 Drehungen – %3</source>
        <translation>%1: straf %2 rondjes – %3</translation>
    </message>
    <message>
        <source>%1 hat die Strafe abgesegelt</source>
        <translation>%1 heeft de straf uitgevoerd</translation>
    </message>
    <message>
        <source>%1 ist ausgeschieden</source>
        <translation>%1 ligt eruit</translation>
    </message>
    <message>
        <source>%1 im Ziel: Platz %2, %3</source>
        <translation>%1 gefinisht: plaats %2, %3</translation>
    </message>
    <message>
        <source>Regatta beendet: Neustart (F3) segelt sie noch einmal, F5 wählt eine neue</source>
        <translation>Regatta voorbij: Herstart (F3) vaart haar opnieuw, F5 kiest een nieuwe</translation>
    </message>
    <message>
        <source>Ergebnis – Runden: %1, %2</source>
        <translation>Uitslag – ronden: %1, %2</translation>
    </message>
    <message>
        <source>Strafdrehungen</source>
        <translation>Strafrondjes</translation>
    </message>
    <message>
        <source>Klassisch (Explosion)</source>
        <translation>Klassiek (explosie)</translation>
    </message>
    <message>
        <source>Kein Sieger</source>
        <translation>Geen winnaar</translation>
    </message>
    <message>
        <source>%1. %2: %3</source>
        <translation>%1. %2: %3</translation>
    </message>
    <message>
        <source>%1: ausgeschieden</source>
        <translation>%1: eruit</translation>
    </message>
    <message>
        <source>Runden: %1</source>
        <translation>Ronden: %1</translation>
    </message>
    <message>
        <source>Strafen: %1</source>
        <translation>Straffen: %1</translation>
    </message>
    <message>
        <source>Beste Runde: %1, Runde %2, %3</source>
        <translation>Snelste ronde: %1, ronde %2, %3</translation>
    </message>
</context>
<context>
    <name>TSetupForm</name>
    <message>
        <source>Windrichtung in Grad:</source>
        <translation>Windrichting in graden:</translation>
    </message>
    <message>
        <source>Windgeschwindigkeit in Knoten:</source>
        <translation>Windsnelheid in knopen:</translation>
    </message>
    <message>
        <source>Zufällige Windabweichung in Grad:</source>
        <translation>Willekeurige afwijking in graden:</translation>
    </message>
    <message>
        <source>Quibo Trainer Einstellungen</source>
        <translation>Quibo Trainer-instellingen</translation>
    </message>
    <message>
        <source>&amp;Fertig</source>
        <translation>&amp;Klaar</translation>
    </message>
    <message>
        <source>Zufällige Windrichtung:</source>
        <translation>Willekeurige windrichting:</translation>
    </message>
</context>
</TS>
