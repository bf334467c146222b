<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A language pack of the program's own version, for the wizard tests. -->
<TS version="2.1" language="de">
<context>
    <name>LanguagePack</name>
    <message><source>Version</source><translation>0.3.0.0</translation></message>
    <message><source>Icon</source><translation>pack-icon.png</translation></message>
</context>
<context>
    <name>Strings</name>
    <message><source>Please enter a string or select characters to match</source><comment>5000</comment><translation>Bitte eine Zeichenkette eingeben oder Zeichen auswählen</translation></message>
    <message><source>Tandrel</source><comment>57344</comment><translation>Tandrel (deutsch)</translation></message>
</context>
<context>
    <name>CSamplePage</name>
    <message><source>&amp;Load from File</source><translation>&amp;Aus Datei laden</translation></message>
</context>
</TS>
