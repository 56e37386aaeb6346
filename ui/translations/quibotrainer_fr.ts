<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="de_DE">
<context>
    <name>TMainForm</name>
    <message>
        <source>Neustart (F3)</source>
        <translation>Relancer (F3)</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Stop (Pause)</source>
        <translation>Arrêt (Pause)</translation>
    </message>
    <message>
        <source>Play (Pause)</source>
        <translation>Jouer (Pause)</translation>
    </message>
    <message>
        <source>Steuerung des roten Quibo&apos;s: [Y] ... Pinne nach Backbord, [X] ... Pinne nach Steuerbord</source>
        <translation>Pilotage du Quibo rouge&#xa0;: [Y] ... barre à bâbord, [X] ... barre à tribord</translation>
    </message>
    <message>
        <source>Steuerung des grünen Quibo&apos;s: [&lt;-] ... Pinne nach Backbord, [-&gt;] ... Pinne nach Steuerbord</source>
        <translation>Pilotage du Quibo vert&#xa0;: [&lt;-] ... barre à bâbord, [-&gt;] ... barre à tribord</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>TSetupForm</name>
    <message>
        <source>Windrichtung in Grad:</source>
        <translation>Direction du vent en degrés&#xa0;:</translation>
    </message>
    <message>
        <source>Windgeschwindigkeit in Knoten:</source>
        <translation>Vitesse du vent en nœuds&#xa0;:</translation>
    </message>
    <message>
        <source>Zufällige Windabweichung in Grad:</source>
        <translation>Écart aléatoire du vent en degrés&#xa0;:</translation>
    </message>
    <message>
        <source>Quibo Trainer Einstellungen</source>
        <translation>Réglages de Quibo Trainer</translation>
    </message>
    <message>
        <source>&amp;Fertig</source>
        <translation>&amp;Terminé</translation>
    </message>
    <message>
        <source>Zufällige Windrichtung:</source>
        <translation>Direction du vent aléatoire&#xa0;:</translation>
    </message>
</context>
</TS>
