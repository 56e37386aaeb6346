<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de_DE">
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
