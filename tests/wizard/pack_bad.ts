<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A language pack made for another version, for the wizard tests. -->
<TS version="2.1" language="de">
<context>
    <name>LanguagePack</name>
    <message><source>Version</source><translation>0.2.9.0</translation></message>
</context>
<context>
    <name>Strings</name>
    <message><source>Language DLL version doesn not match that of the program.
Please download the latest from https://www.pellucor.example/</source><comment>3018</comment><translation>Das Sprachpaket passt nicht zu dieser Programmversion.</translation></message>
    <message><source>Please enter a string or select characters to match</source><comment>5000</comment><translation>Bitte eine Zeichenkette eingeben oder Zeichen auswählen</translation></message>
</context>
<context>
    <name>CSamplePage</name>
    <message><source>&amp;Load from File</source><translation>&amp;Aus Datei laden</translation></message>
</context>
</TS>
