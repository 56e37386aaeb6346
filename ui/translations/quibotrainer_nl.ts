<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL" sourcelanguage="de_DE">
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
