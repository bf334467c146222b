<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A language pack that carries no version, for the wizard tests. -->
<TS version="2.1" language="de">
<context>
    <name>Strings</name>
    <message><source>Please enter a string or select characters to match</source><comment>5000</comment><translation>Bitte eine Zeichenkette eingeben oder Zeichen auswählen</translation></message>
</context>
</TS>
